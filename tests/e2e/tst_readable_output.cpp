// What the user reads off the program: the printed report at a size for paper, and message
// boxes wide enough for their title.
#include "common/ui/MessageBox.h"
#include "common/ui/Printer.h"
#include "editor/dataset/EditorData.h"
#include "editor/shell/ui/Frm_Radio.h"
#include "tests/e2e/EditorHome.h"

#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using namespace vt;

namespace {
struct Word {
    double xMin, yMin, xMax, yMax;
};
struct PdfText {
    double pageWidth = 0, pageHeight = 0;
    std::vector<Word> words;
};

// Word boxes of the first page, as the PDF text extractor reports them.
PdfText Words(const QString& pdf) {
    PdfText out;
    QProcess p;
    p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    if (!p.waitForFinished(30000)) return out;
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    auto page = QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(html);
    out.pageWidth = page.captured(1).toDouble();
    out.pageHeight = page.captured(2).toDouble();
    QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
    for (auto it = word.globalMatch(html); it.hasNext();) {
        auto m = it.next();
        out.words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                             m.captured(4).toDouble()});
    }
    return out;
}
} // namespace

class ReadableOutputTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::EditorHome> home;

private slots:
    void init() { home = std::make_unique<test::EditorHome>(); }
    void cleanup() { home.reset(); }

    void theReportPrintsAtAReadableSizeAndFitsThePage() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
        ui::ScriptedMessageBox boxes;
        ui::ScopedMessageBox scope(&boxes);
        const QString pdf = qEnvironmentVariableIsSet("VELTRA_KEEP_PDF") ? QString("/tmp/report.pdf")
                                                                          : QString::fromStdString(home->File("report.pdf").string());
        ui::QtPrinter printer(pdf);
        ui::ScopedPrinter printing(&printer);
        EditorData data;
        Frm_Radio w(data);
        w.Menu_Print_Click(); // the question answered OK
        QVERIFY(QFile::exists(pdf));
        const PdfText text = Words(pdf);
        QVERIFY(text.words.size() > 100);
        double widest = 0, height = 0;
        for (const Word& w : text.words) {
            widest = std::max(widest, w.xMax);
            height = std::max(height, w.yMax - w.yMin);
        }
        // A word's box is about as tall as the font's size in points.
        QVERIFY2(height >= 9.0, qPrintable(QString("glyph height %1 pt").arg(height)));
        QVERIFY2(widest <= text.pageWidth, qPrintable(QString("line ends at %1 of %2").arg(widest).arg(text.pageWidth)));
    }

    void aShortMessageLeavesRoomForItsTitle() {
        const QString title = QStringLiteral("Data Editor");
        int width = -1;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            poll.stop();
            width = box->width();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        poll.start(20);
        ui::MsgBox("OK", ui::MsgButtons::Ok, ui::MsgIcon::None, title);
        QVERIFY(width > 0);
        QFont bold = QApplication::font();
        bold.setBold(true);
        QVERIFY2(width >= QFontMetrics(bold).horizontalAdvance(title) + ui::kTitleBarExtra,
                 qPrintable(QString("box %1 px").arg(width)));
    }
};

QTEST_MAIN(ReadableOutputTest)
#include "tst_readable_output.moc"
