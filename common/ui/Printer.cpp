#include "common/ui/Printer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace vt::ui {

namespace {
PrinterService* g_service = nullptr;

// Sizes for paper: never above 10 pt; below 8 pt a report is hard to read.
constexpr qreal kLargestPt = 10.0;
constexpr qreal kReadablePt = 8.0;

QFont ReportFont(qreal points) {
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

// The largest size, in half points, at which the widest line fits the width.
qreal FittingSize(QPrinter& printer, const QString& widest) {
    const qreal width = printer.pageLayout().paintRectPixels(printer.resolution()).width();
    qreal pt = kLargestPt;
    while (pt > 4.0 && QFontMetricsF(ReportFont(pt), &printer).horizontalAdvance(widest) > width) pt -= 0.5;
    return pt;
}

// Portrait when the widest line fits it readably, else landscape; the font as large as fits.
qreal ChooseLayout(QPrinter& printer, const QStringList& lines) {
    QString widest;
    for (const QString& line : lines)
        if (line.size() > widest.size()) widest = line;
    printer.setPageOrientation(QPageLayout::Portrait);
    const qreal portrait = FittingSize(printer, widest);
    if (portrait >= kReadablePt) return portrait;
    printer.setPageOrientation(QPageLayout::Landscape);
    return FittingSize(printer, widest);
}
} // namespace

PrintFailure QtPrinter::printLines(QWidget*, const QStringList& lines) {
    QPrinter printer(QPrinter::HighResolution);
    if (pdfPath_.isEmpty()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) return PrintFailure::NoPrinter;
        printer.setPrinterName(info.printerName());
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath_);
    }
    const qreal points = ChooseLayout(printer, lines);
    QPainter painter;
    if (!painter.begin(&printer)) return PrintFailure::NotStarted;
    // Report lines are up to about 130 characters wide: a fixed-pitch font sized to fit the page.
    QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QFont font = ReportFont(points);
    painter.setFont(font);
    QFontMetrics fm(font, &printer);
    const int lineHeight = fm.lineSpacing();
    int y = fm.ascent();
    for (const QString& line : lines) {
        if (y + fm.descent() > page.height()) {
            if (!printer.newPage()) {
                painter.end();
                return PrintFailure::NewPage;
            }
            y = fm.ascent();
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    return painter.end() ? PrintFailure::None : PrintFailure::Job;
}

PrinterService& printerService() {
    static QtPrinter defaultPrinter;
    return g_service ? *g_service : defaultPrinter;
}
void setPrinterService(PrinterService* service) { g_service = service; }

ScopedPrinter::ScopedPrinter(PrinterService* s) : previous_(g_service) { g_service = s; }
ScopedPrinter::~ScopedPrinter() { g_service = previous_; }

} // namespace vt::ui
