// The main window's commands that open the service windows.
#include "common/ui/MessageBox.h"
#include "editor/service/ui/Form1.h"
#include "editor/service/ui/frmMain.h"
#include "editor/shell/core/EditorData.h"
#include "editor/shell/ui/Frm_Radio.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

class ServiceHooksTest : public QObject {
    Q_OBJECT
private slots:
    void setupWindowOpensModallyAndReportsBack() {
        vt::ui::ScriptedMessageBox boxes;
        vt::ui::ScopedMessageBox scope(&boxes);
        vt::EditorData data;
        vt::Frm_Radio w(data);
        w.show();
        bool seen = false;
        QTimer::singleShot(100, [&] {
            auto* setup = qobject_cast<vt::frmMain*>(QApplication::activeModalWidget());
            if (!setup) return;
            seen = true;
            setup->Check1->setChecked(true);
            setup->Text3->setText("77");
            setup->close();
        });
        w.Menu_SetUp_Click();
        QVERIFY(seen);
        QCOMPARE(int(data.Setup3C02), 77);
        QCOMPARE(data.ManualSetupFlag, 1);
    }

    void testWindowOpensOnceWithoutBeingModal() {
        vt::ui::ScriptedMessageBox boxes;
        vt::ui::ScopedMessageBox scope(&boxes);
        vt::EditorData data;
        vt::Frm_Radio w(data);
        w.show();
        w.Command1_Click();
        w.Command1_Click();
        const auto benches = w.findChildren<vt::Form1*>();
        QCOMPARE(benches.size(), 1);
        QVERIFY(benches[0]->isVisible());
        QVERIFY(!benches[0]->isModal());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        benches[0]->close();
        QTRY_VERIFY(w.findChildren<vt::Form1*>().isEmpty());
    }
};

QTEST_MAIN(ServiceHooksTest)
#include "tst_service_hooks.moc"
