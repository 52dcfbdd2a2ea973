// The main window's option and area-name commands open the dialogs, and what the dialogs store
// shows in the main window.
#include "tests/settings/option_dialog_helpers.h"

#include "common/ui/MessageBox.h"
#include "editor/settings/ui/Frm_Areaname.h"
#include "editor/settings/ui/Frm_Option.h"
#include "editor/shell/ui/Frm_Radio.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using namespace vt;
using vt::testing::TypeOver;

namespace {
// Runs `step` on the modal dialog of type T as soon as it is up; true when one came up.
template <class T, class F>
void OnModal(bool& seen, F step) {
    QTimer::singleShot(0, [&seen, step] {
        auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget());
        seen = dlg != nullptr;
        if (dlg) step(*dlg);
    });
}
} // namespace

class OptionMenus : public QObject {
    Q_OBJECT
private slots:
    void optionsChangeTheGridAndAreaNamesFollow() {
        ui::ScriptedMessageBox boxes;
        ui::ScopedMessageBox scope(&boxes);
        EditorData data;
        Frm_Radio w(data);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        // One area: the area names command opens nothing.
        bool seen = false;
        OnModal<Frm_Areaname>(seen, [](Frm_Areaname& d) { d.reject(); });
        w.Menu_AreaName->trigger();
        QVERIFY(!seen);
        QCoreApplication::processEvents();

        OnModal<Frm_Option>(seen, [](Frm_Option& d) {
            TypeOver(d.TxtNumberArea, "2");
            QTest::mouseClick(d.CommandOK, Qt::LeftButton);
        });
        w.Menu_RadioOption->trigger();
        QVERIFY(seen);
        QCOMPARE(data.MFG.Rows(), 2 * 100 + 2);
        QVERIFY(data.IsModified());

        OnModal<Frm_Areaname>(seen, [](Frm_Areaname& d) {
            QRect cell = d.MFGArea->visualRect(d.MFGArea->model()->index(0, 2));
            QTest::mouseClick(d.MFGArea->viewport(), Qt::LeftButton, {}, cell.center());
            d.txtName->selectAll();
            QTest::keyClicks(d.txtName, "Inland");
            QTest::mouseClick(d.Command1, Qt::LeftButton);
        });
        w.Menu_AreaName->trigger();
        QVERIFY(seen);
        QCOMPARE(data.AreaNames()[1], std::string("Inland"));
        QCOMPARE(w.lbcurArea->text(), QString("Inland")); // channel 1's area is the current one
    }
};

QTEST_MAIN(OptionMenus)
#include "e2e_option_menus.moc"
