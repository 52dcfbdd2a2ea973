// Every window of the editor and the transfer tool, opened as a user opens it, on the screen this
// run was given (tests/CMakeLists.txt names the screens: laptops at 100% to 150%, and a large one): the
// window lies within the screen's available area, and each of its buttons, boxes and menu bars can be reached
// there, after a scroll where the window scrolls. On the large screen (VELTRA_SCREEN=large) every window
// keeps its designed size and nothing scrolls.
#include "common/TextUtil.h"
#include "common/ui/ProcessStarter.h"
#include "editor/dataset/EditorData.h"
#include "editor/dataset/GridRules.h"
#include "editor/settings/core/RadioOptionRecord.h"
#include "editor/settings/ui/Frm_Farm.h"
#include "editor/shell/ui/FrmWelcome.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/support/ProgramHome.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/DialogAnswers.h"
#include "tests/support/qt/Screenshots.h"
#include "transmit/ui/TransmitWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using namespace vt;

namespace {
bool LargeScreen() {
    return qEnvironmentVariable("VELTRA_SCREEN") == "large";
}

QString Text(const QRect& r) {
    return QString("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

QRect OnScreen(const QWidget* w) {
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

bool IsControl(const QWidget* c) {
    return qobject_cast<const QAbstractButton*>(c) || qobject_cast<const QComboBox*>(c) ||
           qobject_cast<const QLineEdit*>(c) || qobject_cast<const QMenuBar*>(c);
}

// Scrolls the control wholly into view, as the user does with the scroll bars.
void ScrollTo(QScrollArea* scroll, QWidget* c) {
    const QRect r(c->mapTo(scroll->widget(), QPoint(0, 0)), c->size());
    auto show = [](QScrollBar* bar, int from, int to, int room) {
        if (to >= bar->value() + room) bar->setValue(to - room + 1);
        if (from < bar->value()) bar->setValue(from);
    };
    show(scroll->horizontalScrollBar(), r.left(), r.right(), scroll->viewport()->width());
    show(scroll->verticalScrollBar(), r.top(), r.bottom(), scroll->viewport()->height());
}

// What keeps the user from the window's controls, one line each; the controls of every page of
// a tabbed window.
QStringList Unreachable(QWidget* w) {
    QStringList out;
    const QString name = w->objectName();
    const QRect available = w->screen()->availableGeometry();
    if (!available.contains(w->frameGeometry()))
        out << name + ": window " + Text(w->frameGeometry()) + " outside " + Text(available);
    auto* scroll = w->findChild<QScrollArea*>("ScreenFit");
    if (scroll) {
        const QSize cut = scroll->widget()->size() - scroll->viewport()->size();
        if ((cut.width() > 0 && !scroll->horizontalScrollBar()->isVisible()) ||
            (cut.height() > 0 && !scroll->verticalScrollBar()->isVisible()))
            out << name + ": cut without a scroll bar";
    }
    if (LargeScreen() && scroll) out << name + ": scrolls on a large screen";
    QList<QTabWidget*> tabs = w->findChildren<QTabWidget*>();
    const int pages = tabs.isEmpty() ? 1 : tabs[0]->count();
    for (int page = 0; page < pages; ++page) {
        if (!tabs.isEmpty()) tabs[0]->setCurrentIndex(page);
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!IsControl(c) || c->window() != w || !c->isVisible() || c->objectName().startsWith("qt_"))
                continue;
            if (scroll && scroll->isAncestorOf(c)) ScrollTo(scroll, c);
            const QRect r = OnScreen(c);
            QRect shown = r;
            for (QWidget* a = c->parentWidget(); a; a = a->isWindow() ? nullptr : a->parentWidget())
                shown &= OnScreen(a);
            if (shown != r || !available.contains(r))
                out << name + ": " + c->objectName() + " " + c->metaObject()->className() + " at " + Text(r) +
                           ", shown " + Text(shown);
        }
    }
    if (!tabs.isEmpty()) tabs[0]->setCurrentIndex(0);
    out.removeDuplicates(); // the buttons below the pages
    return out;
}

// A picture of each window for a look by eye, named after the screen of the run.
void Shoot(QWidget* w) {
    const QSize s = w->screen()->size();
    test::SaveScreenshot(*w, QString("fit_%1x%2@%3_%4.png")
                                 .arg(s.width())
                                 .arg(s.height())
                                 .arg(w->screen()->devicePixelRatio())
                                 .arg(w->objectName()));
}

QStringList Look(QWidget* w) {
    if (!QTest::qWaitForWindowExposed(w)) return {w->objectName() + ": not shown"};
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(); // the scroll bars come and go queued
    Shoot(w);
    return Unreachable(w);
}

// Runs open, which shows a modal window, and looks at that window; inside runs while it is open
// (to open the next one from it). Then the window is closed as with Esc.
void WithModal(const std::function<void()>& open, QStringList& found, const char* expected,
               const std::function<void(QWidget*)>& inside = {}) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m || m->objectName() != expected) return;
        seen = true;
        found << Look(m);
        if (inside) inside(m);
        if (auto* dialog = qobject_cast<QDialog*>(m)) dialog->reject();
    });
    open();
    QCoreApplication::processEvents();
    if (!seen) found << QString(expected) + ": not opened";
}

struct NoStart : ui::ProcessStarter {
    bool start(const QString&, const QStringList&, QObject*, std::function<void()>) override { return false; }
};
} // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT
    test::DialogAnswers dialogs_;

    QAction* Action(QWidget& w, const char* name) {
        auto* a = w.findChild<QAction*>(name);
        if (!a) qFatal("no action %s", name);
        return a;
    }

private slots:
    void initTestCase() {
        qInfo() << "screen" << QGuiApplication::primaryScreen()->geometry() << "available"
                << QGuiApplication::primaryScreen()->availableGeometry() << "ratio"
                << QGuiApplication::primaryScreen()->devicePixelRatio();
    }

    void editorWindows_data() {
        QTest::addColumn<QString>("language"); // the menu item that switches to it
        QTest::newRow("English") << "Menu_English";
        QTest::newRow("Chinese") << "Menu_Chinese";
    }

    void editorWindows() {
        QFETCH(QString, language);
        test::ProgramHome home("veltra-screen-fit");
        test::LinkProgramTables(home.Path(), {"Language", "resource"});
        NoStart noStart;
        ui::ScopedProcessStarter starter(&noStart);
        dialogs_.Reset();
        QStringList found;

        auto welcome = std::make_unique<FrmWelcome>(nullptr);
        welcome->Timer1->stop(); // the main window is made here
        welcome->show();
        found << Look(welcome.get());
        welcome.reset();

        EditorData d;
        Frm_Radio w(d);
        Action(w, language.toLatin1().constData())->trigger();
        // Two areas whose area and channel the radio may not change: the names and the question
        // before a write can be opened.
        RadioOptionRecord r = RadioOptionRecord::Defaults();
        r[kOptNumberArea] = "2";
        r[kOptChInArea] = "20";
        r[kOptAreachange] = "0";
        r[kOptChannelchange] = "0";
        d.SetRadioOption(r.Join());
        AdjustArea_Marnet(d);
        d.SetCell(1, 1, "145.0000", RecordWrite::Quiet);
        d.SetCell(1, 2, "145.0000", RecordWrite::Quiet);
        w.show();
        found << Look(&w);
        if (LargeScreen()) QCOMPARE(w.width(), 960); // the designed width on a wide screen

        WithModal([&] { Action(w, "Menu_RadioOption")->trigger(); }, found, "Frm_Option");
        WithModal([&] { Action(w, "Menu_5Tone")->trigger(); }, found, "Frm_5Tone",
                  [&](QWidget* tone) {
                      auto* special = tone->findChild<QPushButton*>("Command3");
                      WithModal([&] { special->click(); }, found, "Frm_Special");
                  });
        WithModal([&] { Action(w, "Menu_AreaName")->trigger(); }, found, "Frm_Areaname");
        WithModal([&] { Action(w, "Menu_SetUp")->trigger(); }, found, "frmMain");
        WithModal([&] { Action(w, "mnuTRxVol")->trigger(); }, found, "FrmTRxVoltage");
        WithModal([&] { Action(w, "Menu_About")->trigger(); }, found,
                  d.LangCode == "eng" ? "FrmAbout2" : "FrmAbout");
        WithModal([&] { Action(w, "Menu_WriteCHData")->trigger(); }, found, "Frm_Default");
        w.show(); // the failed start of the tool leaves it shown; a started one would hide it

        Action(w, "Menu_COMPort")->trigger();
        auto* port = w.findChild<QWidget*>("dlgSetting");
        QVERIFY(port);
        found << Look(port);
        port->close();

        // The developer's test bench: its button is hidden.
        QMetaObject::invokeMethod(w.findChild<QPushButton*>("Command1"), "click");
        QWidget* bench = nullptr;
        QVERIFY(
            QTest::qWaitFor([&] { return (bench = w.findChild<QWidget*>("Form1")) && bench->isVisible(); }));
        found << Look(bench);
        bench->close();

        // No command opens it, but it is there.
        Frm_Farm farm(d, &w);
        farm.show();
        found << Look(&farm);

        QVERIFY2(found.isEmpty(), qPrintable("\n" + found.join("\n")));
    }

    void transferToolWindow() {
        test::ProgramHome home("veltra-screen-fit-tool");
        TransmitWindow tool(home.Path());
        tool.show();
        const QStringList found = Look(&tool);
        QVERIFY2(found.isEmpty(), qPrintable("\n" + found.join("\n")));
    }
};

QTEST_MAIN(ScreenFitTest)
#include "tst_screen_fit.moc"
