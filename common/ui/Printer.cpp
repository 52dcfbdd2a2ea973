#include "common/ui/Printer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace vt::ui {

namespace {
PrinterService* g_service = nullptr;
}

bool QtPrinter::printLines(QWidget*, const QStringList& lines, QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    if (pdfPath_.isEmpty()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            if (error) *error = QStringLiteral("No printer is installed.");
            return false;
        }
        printer.setPrinterName(info.printerName());
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath_);
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error) *error = QStringLiteral("The printer could not be started.");
        return false;
    }
    // Report lines are up to about 130 characters wide: a fixed-pitch font sized to fit the page.
    QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(6.5);
    painter.setFont(font);
    QFontMetrics fm(font, &printer);
    const int lineHeight = fm.lineSpacing();
    int y = fm.ascent();
    for (const QString& line : lines) {
        if (y + fm.descent() > page.height()) {
            if (!printer.newPage()) {
                if (error) *error = QStringLiteral("The printer refused a new page.");
                painter.end();
                return false;
            }
            y = fm.ascent();
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    if (!painter.end()) {
        if (error) *error = QStringLiteral("The print job failed.");
        return false;
    }
    return true;
}

PrinterService& printerService() {
    static QtPrinter defaultPrinter;
    return g_service ? *g_service : defaultPrinter;
}
void setPrinterService(PrinterService* service) { g_service = service; }

ScopedPrinter::ScopedPrinter(PrinterService* s) : previous_(g_service) { g_service = s; }
ScopedPrinter::~ScopedPrinter() { g_service = previous_; }

} // namespace vt::ui
