// The main window's commands that open the service windows.
#include "common/ui/MessageBox.h"
#include "editor/service/ui/Form1.h"
#include "editor/service/ui/FrmTRxVoltage.h"
#include "editor/service/ui/frmMain.h"
#include "editor/image/VoltageTables.h"
#include "editor/dataset/EditorData.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/support/ProgramHome.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <functional>

#include <unistd.h>

class ServiceHooksTest : public QObject {
    Q_OBJECT
    std::unique_ptr<vt::test::ProgramHome> program_;
    QString home_;

    // The setup menu item, then `steps` in the modal window, which the close box ends.
    static bool InSetupWindow(vt::Frm_Radio& w, const std::function<void(vt::frmMain*)>& steps) {
        bool seen = false;
        QTimer::singleShot(100, [&] {
            auto* setup = qobject_cast<vt::frmMain*>(QApplication::activeModalWidget());
            if (!setup) return;
            seen = true;
            steps(setup);
            setup->close();
        });
        w.Menu_SetUp->trigger();
        return seen;
    }
private slots:
    // A program folder of the test's own, with a complete set of voltage tables.
    void initTestCase() {
        program_ = std::make_unique<vt::test::ProgramHome>("veltra-hooks");
        home_ = QString::fromStdString(program_->Path().string());
        vt::VoltageTables tables;
        tables.Folder = home_.toStdString();
        tables.CopyLoadedSteps();
        tables.ChangeWorkStep(0, 0.5);
        QVERIFY(tables.SaveVoltageTables().empty());
    }
    void cleanupTestCase() {
        program_.reset();
    }

    void setupWindowOpensModallyAndReportsBack() {
        vt::ui::ScriptedMessageBox boxes;
        vt::ui::ScopedMessageBox scope(&boxes);
        vt::EditorData data;
        vt::Frm_Radio w(data);
        w.show();
        QVERIFY(InSetupWindow(w, [](vt::frmMain* setup) {
            setup->Check1->setChecked(true);
            setup->Text3->setText("77");
        }));
        QCOMPARE(int(data.Setup3C02), 77);
        QCOMPARE(data.ManualSetupFlag, 1);
    }

    // A setup byte stored by the window is an edit of the data set: closing the editor asks to
    // save it. A window closed without a change asks nothing.
    void setupByteChangeIsAskedAboutOnClose_data() {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("asked");
        QTest::newRow("ticked, 3C00 set to 100") << true << "100" << true;
        QTest::newRow("ticked, 3C00 left at 32") << true << "32" << false;
        QTest::newRow("unticked, 100 typed") << false << "100" << false;
    }
    void setupByteChangeIsAskedAboutOnClose() {
        QFETCH(bool, tick);
        QFETCH(QString, typed);
        QFETCH(bool, asked);
        vt::ui::ScriptedMessageBox boxes;
        vt::ui::ScopedMessageBox scope(&boxes);
        vt::EditorData data;
        vt::Frm_Radio w(data);
        w.show();
        boxes.clear();
        QVERIFY(InSetupWindow(w, [&](vt::frmMain* setup) {
            auto click = [setup] {
                QTest::mouseClick(setup->Check1, Qt::LeftButton, {}, QPoint(8, setup->Check1->height() / 2));
            };
            click();
            if (!tick) click();
            setup->Text1->setFocus(Qt::MouseFocusReason);
            setup->Text1->selectAll();
            QTest::keyClicks(setup->Text1, typed);
        }));
        QCOMPARE(int(data.Setup3C00), tick ? typed.toInt() : 32);
        QCOMPARE(data.IsModified(), asked);
        boxes.answer(vt::ui::MsgResult::No);
        QVERIFY(w.close());
        QCOMPARE(boxes.texts(), asked ? QStringList{w.SaveChangesMsg} : QStringList{});
    }

    void voltageEditorOpensModally() {
        vt::ui::ScriptedMessageBox boxes;
        vt::ui::ScopedMessageBox scope(&boxes);
        vt::EditorData data;
        vt::Frm_Radio w(data);
        w.show();
        QString shownStep;
        QTimer::singleShot(100, [&] {
            auto* editor = qobject_cast<vt::FrmTRxVoltage*>(QApplication::activeModalWidget());
            if (!editor) return;
            shownStep = editor->Text2[0]->text();
            editor->close();
        });
        boxes.clear(); // the start-up's own table messages
        w.mnuTRxVol_Click();
        // The editor showed the tables of the program folder.
        QCOMPARE(shownStep, QString("0.5"));
        QVERIFY(boxes.texts().isEmpty());
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
