// The real transfer tool killed in the middle of a write (SIGKILL: no exit step, no final
// status): the editor's watch on the tool brings it back and says so, and the port is free for
// the next run.
#include "common/SerialPort.h"
#include "common/ui/MessageBox.h"
#include "editor/dataset/EditorData.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/e2e/EditorHome.h"
#include "tests/sim/SimRadio.h"

#include <QToolButton>
#include <QtTest>
#include <csignal>
#include <fstream>
#include <unistd.h>

using namespace vt;

namespace {
// The transfer tool this process started: a child named transmit. 0 while there is none.
pid_t ChildTool() {
    for (const auto& e : std::filesystem::directory_iterator("/proc")) {
        std::string name = e.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(e.path() / "stat");
        std::string pid, comm, state;
        long ppid = 0;
        if (!(in >> pid >> comm >> state >> ppid)) continue;
        if (ppid == ::getpid() && comm == "(transmit)") return static_cast<pid_t>(std::stol(pid));
    }
    return 0;
}
} // namespace

class ToolKilled : public QObject {
    Q_OBJECT
private slots:
    void killedWriteBringsTheEditorBackWithoutAResult() {
        test::EditorHome home;
        home.LinkRealTool();
        sim::SimOptions opt;
        opt.paced = true; // a write of half a minute: time to kill it in the middle
        sim::SimRadio radio(opt);
        QVERIFY(radio.Start());
        QVERIFY(radio.LinkAs(home.Path(), 7));
        qputenv("VELTRA_TRANSMIT_AUTOSTART", "1");
        qputenv("QT_QPA_PLATFORM", "offscreen");
        ui::ScriptedMessageBox boxes;
        ui::ScopedMessageBox scope(&boxes);
        EditorData data;
        Frm_Radio w(data);
        w.show();
        data.CommPort = 7;
        data.SetCell(1, 1, "145.0000", RecordWrite::Quiet);
        data.SetCell(1, 2, "145.6000", RecordWrite::Quiet);
        boxes.clear();

        w.WriteBtn->click();
        QVERIFY2(!w.isVisible(), qPrintable(boxes.texts().join(" / ")));
        QVERIFY(radio.WaitUntil([&] { return radio.StoredCount() > 200; }, std::chrono::seconds(30)));
        pid_t tool = ChildTool();
        QVERIFY(tool > 0);
        QCOMPARE(::kill(tool, SIGKILL), 0);
        QVERIFY(QTest::qWaitFor([&] { return w.isVisible() && !w.ReadTimer->isActive(); }, 15000));
        QCOMPARE(boxes.texts(), QStringList{"The transfer tool ended without a result."});
        QCOMPARE(home.Read("Msg.sys")[0], uint8_t(4)); // still "writing": the tool never got to its exit
        QVERIFY(radio.StoredCount() < 0x3BFF);
        qunsetenv("VELTRA_TRANSMIT_AUTOSTART");

        // The kernel dropped the dead tool's lock: the next run gets the port.
        SerialPort next;
        std::string error;
        QVERIFY2(next.Open(radio.DevicePath(), {}, &error), error.c_str());
    }
};

QTEST_MAIN(ToolKilled)
#include "e2e_tool_killed.moc"
