// The COM-port dialog: the ports found through the shared map, the fallback list, OK and Cancel.
#include "common/ui/MessageBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/LngFile.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "editor/shell/ui/dlgSetting.h"
#include "tests/e2e/EditorHome.h"
#include "tests/support/qt/Screenshots.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <vector>

using namespace vt;
namespace fs = std::filesystem;

namespace {
// Wrapped at the label's width the text fits its height, and it wraps or its one line fits.
bool ShowsWhole(const QLabel* l) {
    const QFontMetrics fm(l->font());
    const QRect need = fm.boundingRect(QRect(0, 0, l->width(), 10000), Qt::TextWordWrap, l->text());
    return need.height() <= l->height() && (l->wordWrap() || fm.horizontalAdvance(l->text()) <= l->width());
}
} // namespace

class DlgSettingTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::EditorHome> home;
    ui::ScriptedMessageBox boxes;
    std::unique_ptr<ui::ScopedMessageBox> scope;
    std::unique_ptr<EditorData> data;
    std::unique_ptr<Frm_Radio> w;
    fs::path dev;

    void Node(const char* name) { std::ofstream(dev / name) << ""; }
    dlgSetting* Open() {
        auto* dlg = new dlgSetting(*data, ComPortMap(home->Path(), dev), w.get());
        dlg->show();
        return dlg;
    }

private slots:
    void init() {
        home = std::make_unique<test::EditorHome>();
        dev = home->Path() / "fake-dev";
        fs::create_directories(dev);
        scope = std::make_unique<ui::ScopedMessageBox>(&boxes);
        data = std::make_unique<EditorData>();
        w = std::make_unique<Frm_Radio>(*data);
    }
    void cleanup() {
        w.reset();
        data.reset();
        scope.reset();
        home.reset();
    }

    void listsTheDevicesThatExist() {
        Node("ttyS0");
        Node("ttyUSB1");
        QPointer<dlgSetting> dlg = Open();
        QCOMPARE(dlg->ComBoCommList->count(), 2);
        QCOMPARE(dlg->ComBoCommList->itemText(0), QString::fromStdString("COM1 (" + (dev / "ttyS0").string() + ")"));
        QCOMPARE(dlg->ComBoCommList->itemText(1), QString::fromStdString("COM34 (" + (dev / "ttyUSB1").string() + ")"));
        QCOMPARE(dlg->ComBoCommList->currentIndex(), 0);
        QVERIFY(!dlg->Label3->isVisible());
        QCOMPARE(dlg->windowTitle(), QString("COM Setting"));
        QCOMPARE(dlg->Label1->text(), QString("Available Com Port:"));
        dlg->ComBoCommList->setCurrentIndex(1);
        QTest::mouseClick(dlg->CmdOk, Qt::LeftButton);
        QCOMPARE(data->CommPort, 34);
        QCOMPARE(data->CommSettings, std::string("9600,n,8,1"));
        QTRY_VERIFY(dlg.isNull()); // unloaded
    }

    void fallsBackToThreePortsWhenNoneExists() {
        QPointer<dlgSetting> dlg = Open();
        QCOMPARE(dlg->ComBoCommList->count(), 3);
        QCOMPARE(dlg->ComBoCommList->itemText(2), QString("COM3"));
        QVERIFY(dlg->Label3->isVisible());
        QCOMPARE(dlg->Label3->text(), QString::fromStdString(data->Lang.Get("Fport_Interface", 4)));
        dlg->ComBoCommList->setCurrentIndex(1);
        QTest::mouseClick(dlg->CmdOk, Qt::LeftButton);
        QCOMPARE(data->CommPort, 2);
    }

    void okWithoutChoosingKeepsThePortInUseAndCancelChangesNothing() {
        Node("ttyACM0");
        Node("ttyUSB2");
        data->CommPort = 9;
        QPointer<dlgSetting> dlg = Open();
        QTest::mouseClick(dlg->CmdCancel, Qt::LeftButton);
        QCOMPARE(data->CommPort, 9);
        QTRY_VERIFY(dlg.isNull());
        // COM9 is not offered: nothing is chosen, and OK leaves the port alone.
        dlg = Open();
        QCOMPARE(dlg->ComBoCommList->currentIndex(), -1);
        QTest::mouseClick(dlg->CmdOk, Qt::LeftButton);
        QCOMPARE(data->CommPort, 9);
        QTRY_VERIFY(dlg.isNull());
        data->CommPort = 65;
        dlg = Open();
        QCOMPARE(dlg->ComBoCommList->currentText(), QString::fromStdString("COM65 (" + (dev / "ttyACM0").string() + ")"));
        QTest::mouseClick(dlg->CmdOk, Qt::LeftButton);
        QCOMPARE(data->CommPort, 65);
    }

    void onlyRealUartsAndUsbAdaptersWithTheirStableNames() {
        const fs::path sys = home->Path() / "fake-sys";
        for (int i = 0; i < 4; ++i) {
            const std::string tty = "ttyS" + std::to_string(i);
            Node(tty.c_str());
            fs::create_directories(sys / tty);
            std::ofstream(sys / tty / "type") << (i == 1 ? "4" : "0");
        }
        Node("ttyUSB0");
        fs::create_directories(dev / "serial" / "by-id");
        fs::create_symlink("../../ttyUSB0", dev / "serial" / "by-id" / "usb-Prolific_PL2303-if00-port0");
        data->CommPort = 1; // the default, with no UART behind it
        QPointer<dlgSetting> dlg = new dlgSetting(*data, ComPortMap(home->Path(), dev, sys), w.get());
        dlg->show();
        QCOMPARE(dlg->ComBoCommList->count(), 2);
        QCOMPARE(dlg->ComBoCommList->itemText(0), QString::fromStdString("COM2 (" + (dev / "ttyS1").string() + ")"));
        QCOMPARE(dlg->ComBoCommList->itemText(1),
                 QString::fromStdString("COM33 (" + (dev / "ttyUSB0").string() + ") usb-Prolific_PL2303-if00-port0"));
        QCOMPARE(dlg->ComBoCommList->currentIndex(), -1);
        QCOMPARE(dlg->Label3->text(), QString::fromStdString(data->Lang.Get("Fport_Interface", 6)).arg("COM1"));
        dlg->ComBoCommList->setCurrentIndex(1);
        QTest::mouseClick(dlg->CmdOk, Qt::LeftButton);
        QCOMPARE(data->CommPort, 33);
    }

    void menuShowsTheDialogWithoutBlockingAndRefreshesIt() {
        fs::create_directories(home->Path() / "ports");
        fs::create_symlink("/dev/null", home->Path() / "ports" / "COM5");
        data->CommPort = 7;
        w->show();
        w->Menu_COMPort_Click();
        auto* dlg = w->findChild<dlgSetting*>("dlgSetting");
        QVERIFY(dlg && dlg->isVisible() && !dlg->isModal());
        QCOMPARE(dlg->txtPort->text(), QString("7"));
        QCOMPARE(dlg->txtSetting->text(), QString("9600,n,8,1"));
        QVERIFY(dlg->ComBoCommList->findText("COM5 (/dev/null)") >= 0);
        int items = dlg->ComBoCommList->count();
        data->CommPort = 8;
        w->Menu_COMPort_Click();
        QCOMPARE(w->findChild<dlgSetting*>("dlgSetting"), dlg); // the same dialog, list not refilled
        QCOMPARE(dlg->ComBoCommList->count(), items);
        QCOMPARE(dlg->txtPort->text(), QString("8"));
        QVERIFY(test::SaveScreenshot(*dlg, "dlgSetting.png"));
    }

    // The note under the list: every line of it shows, in both languages, and when the port in
    // use is not offered it names the one the cable is on (OK alone still keeps the port in use).
    void noteSaysWhichPortToChooseAndShowsWhole() {
        struct Case {
            const char* lang;
            std::vector<const char*> nodes;
            int inUse;
            int note; // Fport_Interface entry, 0 for none
            QString found;
        } cases[] = {{"eng", {}, 1, 4, ""},           {"chs", {}, 1, 4, ""},
                     {"eng", {"ttyUSB0"}, 1, 5, "COM33"}, {"chs", {"ttyUSB0"}, 1, 5, "COM33"},
                     {"eng", {"ttyUSB0", "ttyACM1"}, 1, 6, ""}, {"chs", {"ttyUSB0", "ttyACM1"}, 1, 6, ""},
                     {"eng", {"ttyUSB0"}, 33, 0, ""}};
        for (const Case& c : cases) {
            fs::remove_all(dev);
            fs::create_directories(dev);
            for (const char* n : c.nodes) Node(n);
            data->LangCode = c.lang;
            QVERIFY(LoadLngFile(*data) == LngLoad::Loaded);
            data->CommPort = c.inUse;
            QPointer<dlgSetting> dlg = Open();
            QVERIFY(QTest::qWaitForWindowExposed(dlg));
            const QString name = QString("dlgSetting_%1_%2.png").arg(c.lang).arg(c.note);
            const QString what = name + ": " + dlg->Label3->text();
            if (c.note == 0) {
                QVERIFY2(!dlg->Label3->isVisible(), qPrintable(what));
            } else {
                QString note = QString::fromStdString(data->Lang.Get("Fport_Interface", c.note));
                note = c.note == 4 ? note : c.note == 5 ? note.arg("COM1", c.found) : note.arg("COM1");
                QCOMPARE(dlg->Label3->text(), note);
                QVERIFY2(ShowsWhole(dlg->Label3), qPrintable(what));
                QVERIFY2(dlg->Label3->geometry().bottom() < dlg->txtPort->geometry().top(), qPrintable(what));
                QVERIFY2(dlg->Frame1->rect().contains(dlg->Label3->geometry()), qPrintable(what));
                QVERIFY2(dlg->Frame1->geometry().bottom() < dlg->CmdOk->geometry().top(), qPrintable(what));
                QVERIFY2(dlg->rect().contains(dlg->CmdOk->geometry()), qPrintable(what));
            }
            QVERIFY(test::SaveScreenshot(*dlg, name));
            QTest::mouseClick(dlg->CmdOk, Qt::LeftButton);
            QCOMPARE(data->CommPort, c.inUse); // nothing chosen: the port in use stays
            QTRY_VERIFY(dlg.isNull());
        }
    }

    void itemNumbers() {
        QCOMPARE(ComNumberOfItem("COM12 (/dev/ttyS11)"), 12);
        QCOMPARE(ComNumberOfItem("COM3"), 3);
        QCOMPARE(ComNumberOfItem("LPT1"), 0);
        QCOMPARE(ComNumberOfItem("COM"), 0);
    }
};

QTEST_MAIN(DlgSettingTest)
#include "tst_dlgsetting.moc"
