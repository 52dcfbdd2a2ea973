#include "option_dialog_helpers.h"

#include "common/ui/MessageBox.h"
#include "editor/dataset/LngFile.h"
#include "editor/settings/core/RadioOptionRecord.h"
#include "editor/settings/ui/Frm_Areaname.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

using namespace vt;
using vt::testing::RecordingMain;

namespace {
std::string Areas(const char* n) {
    RadioOptionRecord r = RadioOptionRecord::Defaults();
    r[kOptNumberArea] = n;
    return r.Join();
}

// The application's font scaled while it lives, as a user's larger desktop font does.
struct ScaledAppFont {
    QFont old = QApplication::font();
    explicit ScaledAppFont(double scale) {
        QFont f = old;
        f.setPointSizeF(f.pointSizeF() * scale);
        QApplication::setFont(f);
    }
    ~ScaledAppFont() { QApplication::setFont(old); }
};

// Clicks a name-grid cell; row as the dialog counts it (header row 0, area i in row i).
void ClickCell(Frm_Areaname& dlg, int row, int col) {
    QRect rect = dlg.MFGArea->visualRect(dlg.MFGArea->model()->index(row - 1, col));
    QTest::mouseClick(dlg.MFGArea->viewport(), Qt::LeftButton, {}, rect.center());
}
} // namespace

class AreaNamesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<EditorData> data;
    std::unique_ptr<RecordingMain> main;
    std::unique_ptr<ui::ScriptedMessageBox> boxes;
    std::unique_ptr<ui::ScopedMessageBox> scope;

    void Show(Frm_Areaname& dlg) {
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }

private slots:
    void init() {
        boxes = std::make_unique<ui::ScriptedMessageBox>();
        scope = std::make_unique<ui::ScopedMessageBox>(boxes.get());
        data = std::make_unique<EditorData>();
        main = std::make_unique<RecordingMain>(*data);
        for (int i = 1; i <= 10; ++i)
            data->SetAreaName(i, std::to_string(i), RecordWrite::Quiet);
        data->Lang.Set("Farea_Interface", 1, "Names");
        data->Lang.Set("Farea_Interface", 2, "No.");
        data->Lang.Set("Farea_Interface", 3, "Name");
        data->Lang.Set("Farea_Interface", 4, "Area editor");
    }
    void cleanup() {
        scope.reset();
        boxes.reset();
    }

    void threeAreasGiveThreeRows() {
        data->SetRadioOption(Areas("3"), RecordWrite::Quiet);
        data->SetAreaName(2, "HARBOUR", RecordWrite::Quiet);
        Frm_Areaname dlg(*data);
        QCOMPARE(dlg.Rows(), 4);
        QCOMPARE(dlg.TextMatrix(2, 0), QString("2"));
        QCOMPARE(dlg.TextMatrix(2, 1), QString("AREA No:  2"));
        QCOMPARE(dlg.TextMatrix(2, 2), QString("HARBOUR"));
        QCOMPARE(dlg.TextMatrix(0, 1), QString("No."));
        QCOMPARE(dlg.TextMatrix(0, 2), QString("Name"));
        QCOMPARE(dlg.windowTitle(), QString("Area editor"));
        QCOMPARE(dlg.Frame1->title(), QString("Names"));
        QVERIFY(!dlg.txtName->isVisible());
    }

    void defaultNamesAndTheRowLimit() {
        data->SetRadioOption(Areas("10"), RecordWrite::Quiet);
        Frm_Areaname dlg(*data);
        QCOMPARE(dlg.Rows(), 11);
        QCOMPARE(dlg.TextMatrix(7, 2), QString("7"));
        data->SetRadioOption(Areas("40"), RecordWrite::Quiet);
        Frm_Areaname many(*data);
        QCOMPARE(many.Rows(), 11);
        data->SetRadioOption(Areas("abc"), RecordWrite::Quiet);
        Frm_Areaname one(*data);
        QCOMPARE(one.Rows(), 2);
        data->SetRadioOption("2|100", RecordWrite::Quiet);
        Frm_Areaname none(*data);
        QCOMPARE(none.Rows(), 1);
        none.Command1_Click();
        QVERIFY(!data->IsModified());
    }

    void onlyNameCellsOpenTheEditBox() {
        data->SetRadioOption(Areas("3"), RecordWrite::Quiet);
        Frm_Areaname dlg(*data);
        Show(dlg);
        ClickCell(dlg, 1, 0);
        QVERIFY(!dlg.txtName->isVisible());
        ClickCell(dlg, 2, 1);
        QVERIFY(!dlg.txtName->isVisible());
        QTest::mouseClick(dlg.MFGArea->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(dlg.MFGArea->columnViewportPosition(2) + 10, 5));
        QVERIFY(!dlg.txtName->isVisible());
        ClickCell(dlg, 3, 2);
        QVERIFY(dlg.txtName->isVisible());
        QVERIFY(dlg.txtName->hasFocus());
        QCOMPARE(dlg.txtName->text(), QString("3"));
        // The box lies over the clicked cell.
        QRect cell = dlg.MFGArea->visualRect(dlg.MFGArea->model()->index(2, 2));
        QCOMPARE(dlg.txtName->geometry().topLeft(), dlg.MFGArea->viewport()->mapTo(dlg.Frame1, cell.topLeft()));
    }

    void typedNameIsStoredByOkOnly() {
        data->SetRadioOption(Areas("3"), RecordWrite::Quiet);
        data->SetAreaName(5, "KEEP", RecordWrite::Quiet);
        {
            Frm_Areaname dlg(*data);
            Show(dlg);
            ClickCell(dlg, 2, 2);
            QTest::keyClicks(dlg.txtName, "North");
            QTest::mouseClick(dlg.Command2, Qt::LeftButton);
            QCOMPARE(data->AreaNames()[2], std::string("2"));
            QVERIFY(main->calls.empty());
        }
        Frm_Areaname dlg(*data);
        Show(dlg);
        ClickCell(dlg, 2, 2);
        QTest::keyClicks(dlg.txtName, "North");
        ClickCell(dlg, 3, 2); // leaving the box writes the cell
        QCOMPARE(dlg.TextMatrix(2, 2), QString("North"));
        QTest::keyClick(dlg.txtName, Qt::Key_Backspace); // an empty name is accepted
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(data->AreaNames()[2], std::string("North"));
        QCOMPARE(data->AreaNames()[3], std::string(""));
        QCOMPARE(data->AreaNames()[5], std::string("KEEP")); // above the number of areas
        QVERIFY(data->IsModified());
        QCOMPARE(main->calls, std::vector<std::string>{"UpdateAreaName"});
    }

    void returnEndsTheNameEditOnly() {
        data->SetRadioOption(Areas("3"), RecordWrite::Quiet);
        Frm_Areaname dlg(*data);
        Show(dlg);
        ClickCell(dlg, 1, 2);
        QTest::keyClicks(dlg.txtName, "Quay");
        QTest::keyClick(dlg.txtName, Qt::Key_Return);
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.txtName->isVisible());
        QCOMPARE(dlg.TextMatrix(1, 2), QString("Quay"));
        QCOMPARE(data->AreaNames()[1], std::string("1")); // nothing stored before OK
        QVERIFY(dlg.MFGArea->hasFocus());
        QTest::keyClick(dlg.MFGArea, Qt::Key_Enter); // nor on the grid
        QVERIFY(dlg.isVisible());
        ClickCell(dlg, 2, 2);
        QTest::keyClicks(dlg.txtName, "Dock");
        QTest::keyClick(dlg.txtName, Qt::Key_Enter);
        QVERIFY(dlg.isVisible());
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(data->AreaNames()[1], std::string("Quay"));
        QCOMPARE(data->AreaNames()[2], std::string("Dock"));
        QVERIFY(boxes->texts().isEmpty());
    }

    void okWithoutAFocusChangeEndsTheEditFirst() {
        data->SetRadioOption(Areas("2"), RecordWrite::Quiet);
        Frm_Areaname dlg(*data);
        Show(dlg);
        ClickCell(dlg, 2, 2);
        QTest::keyClicks(dlg.txtName, "Pier");
        dlg.Command1->animateClick(); // what an access key or a shortcut does: the box keeps the focus
        QTRY_VERIFY(!dlg.isVisible());
        QCOMPARE(data->AreaNames()[2], std::string("Pier"));
    }

    void unchangedNamesAreNoEdit() {
        data->SetRadioOption(Areas("4"), RecordWrite::Quiet);
        Frm_Areaname dlg(*data);
        Show(dlg);
        ClickCell(dlg, 1, 2);
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QVERIFY(!data->IsModified());
        QCOMPARE(main->calls.size(), size_t(1));
    }

    void namesFitTheRadio() {
        data->SetRadioOption(Areas("2"), RecordWrite::Quiet);
        Frm_Areaname dlg(*data);
        Show(dlg);
        ClickCell(dlg, 1, 2);
        QTest::keyClicks(dlg.txtName, "ABCDEFGHIJKLMNOPQRST");
        QCOMPARE(dlg.txtName->text(), QString("ABCDEFGHIJKLMNOP"));
        dlg.txtName->selectAll();
        for (QChar c : QString::fromUtf8("Kü北ste")) // typed one by one, beyond the ASCII keys
            QTest::sendKeyEvent(QTest::Click, dlg.txtName, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(dlg.txtName->text(), QString::fromUtf8("Kü北ste"));
        // Refused with the channel names' message; the box stays open for a correction.
        QTest::keyClick(dlg.txtName, Qt::Key_Return);
        QCOMPARE(boxes->texts(), QStringList{QString::fromUtf8(
                                     "Name: the character \"北\" cannot be stored in the radio's memory.")});
        QVERIFY(dlg.txtName->isVisible());
        QCOMPARE(dlg.TextMatrix(1, 2), QString("1"));
        ClickCell(dlg, 2, 2); // leaving the box refuses it again and closes it
        QCOMPARE(boxes->texts().size(), 2);
        QCOMPARE(dlg.TextMatrix(1, 2), QString("1"));
        QCOMPARE(dlg.txtName->text(), QString("2"));
        for (QChar c : QString::fromUtf8("Küste"))
            QTest::sendKeyEvent(QTest::Click, dlg.txtName, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(dlg.txtName, Qt::Key_Return);
        QCOMPARE(dlg.TextMatrix(2, 2), QString::fromUtf8("Küste"));
        QCOMPARE(boxes->texts().size(), 2);
    }

    void scrollingKeepsTheTypedNameAndHidesTheBox() {
        data->SetRadioOption(Areas("10"), RecordWrite::Quiet);
        ScaledAppFont large(1.6); // ten areas scroll only in a large font
        Frm_Areaname dlg(*data);
        Show(dlg);
        ClickCell(dlg, 1, 2);
        QVERIFY(dlg.txtName->isVisible());
        QTest::keyClicks(dlg.txtName, "West");
        QScrollBar* bar = dlg.MFGArea->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        // A click on the bar below its handle: the box keeps the focus while the grid moves.
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - bar->width() - 4));
        QVERIFY(bar->value() > 0);
        QVERIFY(!dlg.txtName->isVisible());
        QCOMPARE(dlg.TextMatrix(1, 2), QString("West"));
        ClickCell(dlg, 10, 2);
        QTest::keyClicks(dlg.txtName, "East");
        bar->setValue(0);
        QVERIFY(!dlg.txtName->isVisible());
        QCOMPARE(dlg.TextMatrix(10, 2), QString("East"));
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QCOMPARE(data->AreaNames()[1], std::string("West"));
        QCOMPARE(data->AreaNames()[10], std::string("East"));
    }

    // Ten areas as the user meets them: in the shipped languages, and in a large font where the
    // grid scrolls and the last row is partly hidden. A first click on the last row's name opens
    // its box; Escape drops only that box's typing; every text is read whole, headers in bold.
    void tenAreasEditedAndReadWhole_data() {
        QTest::addColumn<QString>("lng");
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("fits"); // the whole grid fits the dialog
        QTest::newRow("English") << "English.lng" << 1.0 << true;
        QTest::newRow("Chinese") << "Chinese.lng" << 1.0 << true;
        QTest::newRow("English, large font") << "English.lng" << 1.6 << false;
    }
    void tenAreasEditedAndReadWhole() {
        QFETCH(QString, lng);
        QFETCH(double, scale);
        QFETCH(bool, fits);
        QCOMPARE(LoadLngFile(data->Lang, std::string(VELTRA_SOURCE_DIR) + "/data/Language/" + lng.toStdString()),
                 LngLoad::Loaded);
        ScaledAppFont font(scale);
        data->SetRadioOption(Areas("10"), RecordWrite::Quiet);
        Frm_Areaname dlg(*data);
        Show(dlg);
        QTableWidget* g = dlg.MFGArea;

        QFont bold = g->horizontalHeader()->font();
        bold.setBold(true);
        for (int c = 0; c < 3; ++c)
            QVERIFY2(g->columnWidth(c) >= QFontMetrics(bold).horizontalAdvance(dlg.TextMatrix(0, c)),
                     qPrintable(dlg.TextMatrix(0, c)));
        QVERIFY(g->columnWidth(1) >= g->fontMetrics().horizontalAdvance(dlg.TextMatrix(10, 1)));
        if (fits) QCOMPARE(g->columnViewportPosition(2) + g->columnWidth(2), g->viewport()->width()); // not under the bar

        // As the user clicks: on what shows of the cell; the view's own late scroll follows.
        auto shown = [&](int row) {
            return g->visualRect(g->model()->index(row - 1, 2)).intersected(g->viewport()->rect());
        };
        auto clickName = [&](int row) {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, shown(row).center());
            QTest::qWait(QApplication::doubleClickInterval() + 300);
            return dlg.txtName->isVisible() && dlg.txtName->hasFocus();
        };
        // The bar's down arrow until the last row shows in part.
        QScrollBar* bar = g->verticalScrollBar();
        while (shown(10).isEmpty() && bar->value() < bar->maximum())
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - bar->width() / 2));
        QVERIFY(!shown(10).isEmpty());
        if (fits) QCOMPARE(bar->maximum(), 0); // every area shows
        else QVERIFY(g->visualRect(g->model()->index(9, 2)).bottom() >= g->viewport()->height());
        QVERIFY(clickName(10));
        QCOMPARE(dlg.txtName->geometry().topLeft(),
                 g->viewport()->mapTo(dlg.Frame1, g->visualRect(g->model()->index(9, 2)).topLeft()));
        QTest::keyClicks(dlg.txtName, "TENTH");
        bar->setValue(0);
        QVERIFY(clickName(1));
        QCOMPARE(dlg.TextMatrix(10, 2), QString("TENTH"));
        QTest::keyClicks(dlg.txtName, "FIRST");
        QTest::keyClick(dlg.txtName, Qt::Key_Escape);
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.txtName->isVisible());
        QCOMPARE(dlg.TextMatrix(1, 2), QString("1"));
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(data->AreaNames()[10], std::string("TENTH"));
        QCOMPARE(data->AreaNames()[1], std::string("1"));
    }
};

QTEST_MAIN(AreaNamesTest)
#include "tst_area_names.moc"
