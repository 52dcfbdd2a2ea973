#include "option_dialog_helpers.h"

#include "common/TextUtil.h"
#include "editor/settings/core/RadioOptionRecord.h"
#include "editor/settings/ui/Frm_Default.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace vt;
using vt::testing::PickItem;

namespace {
std::string Record(const char* areas, const char* perArea, const char* allowArea, const char* allowChannel,
                   const char* defChannel = "0", const char* defArea = "0") {
    RadioOptionRecord r = RadioOptionRecord::Defaults();
    r[kOptNumberArea] = areas;
    r[kOptChInArea] = perArea;
    r[kOptAreachange] = allowArea;
    r[kOptChannelchange] = allowChannel;
    r[kOptDefaultChannel] = defChannel;
    r[kOptDefaultArea] = defArea;
    return r.Join();
}
RadioOptionRecord Fields(const std::string& s) { return *RadioOptionRecord::Parse(s); }
} // namespace

class DefaultDialogTest : public QObject {
    Q_OBJECT
    EditorData data;

private slots:
    void init() {
        data.ClearModified();
        data.Lang.Set("Fdefault_Interface", 1, "Default title");
        data.Lang.Set("Fdefault_Interface", 2, "Frame text");
        data.Lang.Set("Fdefault_Interface", 3, "Area:");
        data.Lang.Set("Fdefault_Interface", 4, "Channel:");
    }

    void channelOnlyWithOneArea() {
        data.SetRadioOption(Record("1", "200", "0", "0", "17"), RecordWrite::Quiet);
        Frm_Default dlg(data);
        dlg.show();
        QCOMPARE(dlg.AskCode(), kAskChannel);
        QVERIFY(!dlg.ComboDArea->isVisible() && !dlg.Label1->isVisible());
        QVERIFY(dlg.ComboDCh->isVisible() && dlg.Label2->isVisible());
        QCOMPARE(dlg.ComboDCh->count(), 200);
        QCOMPARE(dlg.ComboDCh->itemText(0), QString("1"));
        QCOMPARE(dlg.ComboDCh->itemText(199), QString("200"));
        QCOMPARE(dlg.ComboDCh->currentIndex(), 0); // the stored 17 is not preselected
        QCOMPARE(dlg.Label2->pos().y(), 48);        // the lower row keeps its place
        QCOMPARE(dlg.windowTitle(), QString("Default title"));
        QCOMPARE(dlg.Frame1->title(), QString("Frame text"));
        QCOMPARE(dlg.Label2->text(), QString("Channel:"));
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(Fields(data.RadioOption())[kOptDefaultChannel], std::string("0"));
        QVERIFY(data.IsModified()); // 17 became 0
    }

    void bothRowsWithTenAreas() {
        const std::string before = Record("10", "20", "0", "0", "0", "5");
        data.SetRadioOption(before, RecordWrite::Quiet);
        Frm_Default dlg(data);
        dlg.show();
        QCOMPARE(dlg.AskCode(), kAskArea + kAskChannel);
        QCOMPARE(dlg.ComboDArea->count(), 10);
        QCOMPARE(dlg.ComboDArea->itemText(9), QString("10"));
        QCOMPARE(dlg.ComboDArea->currentIndex(), 0); // stored 5 not preselected
        QCOMPARE(dlg.ComboDCh->count(), 200);
        QVERIFY(!dlg.ComboDArea->isEditable() && !dlg.ComboDCh->isEditable());
        PickItem(dlg.ComboDArea, 2);
        PickItem(dlg.ComboDCh, 44);
        QTest::keyClick(dlg.ComboDCh, Qt::Key_Return); // OK is the default button
        QVERIFY(!dlg.isVisible());
        RadioOptionRecord r = Fields(data.RadioOption());
        QCOMPARE(r[kOptDefaultArea], std::string("2"));
        QCOMPARE(r[kOptDefaultChannel], std::string("44"));
        QCOMPARE(Split(data.RadioOption()).size(), 39u);
        QVERIFY(data.RadioOption().back() != '|');
        RadioOptionRecord b = Fields(before);
        for (int i = 0; i < kOptionFieldCount; ++i)
            if (i != kOptDefaultArea && i != kOptDefaultChannel) QCOMPARE(r[i], b[i]);
    }

    void areaOnlyLeavesTheChannelAlone() {
        data.SetRadioOption(Record("2", "100", "0", "1", "150"), RecordWrite::Quiet);
        Frm_Default dlg(data);
        dlg.show();
        QCOMPARE(dlg.AskCode(), kAskArea);
        QVERIFY(dlg.ComboDArea->isVisible() && !dlg.ComboDCh->isVisible());
        QCOMPARE(dlg.ComboDArea->count(), 2);
        PickItem(dlg.ComboDArea, 1);
        dlg.Command1_Click();
        RadioOptionRecord r = Fields(data.RadioOption());
        QCOMPARE(r[kOptDefaultArea], std::string("1"));
        QCOMPARE(r[kOptDefaultChannel], std::string("150"));
    }

    void unchangedChoiceIsNoEdit() {
        data.SetRadioOption(Record("3", "66", "0", "0", "0", "0"), RecordWrite::Quiet);
        Frm_Default dlg(data);
        dlg.Command1_Click();
        QVERIFY(!data.IsModified());
    }

    void recordsThatAskNothingShowNoRow() {
        for (const std::string& rec : {Record("3", "66", "1", "1"), std::string("1|2|3"), Record("x", "1", "0", "0")}) {
            data.SetRadioOption(rec, RecordWrite::Quiet);
            Frm_Default dlg(data);
            dlg.show();
            QCOMPARE(dlg.AskCode(), 0);
            QVERIFY(!dlg.ComboDArea->isVisible() && !dlg.ComboDCh->isVisible());
            dlg.Command1_Click();
            QCOMPARE(data.RadioOption(), rec);
        }
        QVERIFY(!data.IsModified());
    }

    void closingOtherwiseKeepsTheRecord() {
        const std::string before = Record("2", "100", "0", "0", "5", "1");
        data.SetRadioOption(before, RecordWrite::Quiet);
        Frm_Default dlg(data);
        dlg.show();
        PickItem(dlg.ComboDCh, 30);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(data.RadioOption(), before);
    }

    void writeStepAsksOnlyWhenNeeded() {
        // Nothing to ask: returns at once (a dialog here would wait for ever).
        data.SetRadioOption(Record("1", "200", "0", "1"), RecordWrite::Quiet);
        const std::string unchanged = data.RadioOption();
        bool dialogSeen = false;
        RunDefaultBeforeWrite(data, nullptr);
        QCOMPARE(data.RadioOption(), unchanged);

        // Channel locked: the dialog comes up modally and its choice is stored.
        data.SetRadioOption(Record("4", "50", "0", "0"), RecordWrite::Quiet);
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<Frm_Default*>(QApplication::activeModalWidget());
            dialogSeen = dlg != nullptr;
            if (!dlg) return;
            PickItem(dlg->ComboDArea, 3);
            PickItem(dlg->ComboDCh, 199);
            QTest::mouseClick(dlg->Command1, Qt::LeftButton);
        });
        RunDefaultBeforeWrite(data, nullptr);
        QVERIFY(dialogSeen);
        RadioOptionRecord r = Fields(data.RadioOption());
        QCOMPARE(r[kOptDefaultArea], std::string("3"));
        QCOMPARE(r[kOptDefaultChannel], std::string("199"));
    }
};

QTEST_MAIN(DefaultDialogTest)
#include "tst_default_dialog.moc"
