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

#include <unistd.h>

class ServiceHooksTest : public QObject {
    Q_OBJECT
    std::unique_ptr<vt::test::ProgramHome> program_;
    QString home_;
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
