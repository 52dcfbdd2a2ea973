#pragma once
// Printing behind a seam: the editor prints on the default printer; tests print to a PDF file.
#include <QString>
#include <QStringList>

class QWidget;

namespace vt::ui {

// Why a print failed; the window says it in the user's language.
enum class PrintFailure { None, NoPrinter, NotStarted, NewPage, Job };

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // Prints the lines in a fixed-pitch font, as many pages as they need: as large as the widest
    // line allows up to 10 pt, on landscape pages when portrait ones would need it below 8 pt.
    // None, or why there is no printer or the job failed.
    virtual PrintFailure printLines(QWidget* parent, const QStringList& lines) = 0;
};

// The default printer, or a PDF file when pdfPath is set.
class QtPrinter : public PrinterService {
public:
    explicit QtPrinter(QString pdfPath = QString()) : pdfPath_(std::move(pdfPath)) {}
    PrintFailure printLines(QWidget* parent, const QStringList& lines) override;

private:
    QString pdfPath_;
};

PrinterService& printerService();
void setPrinterService(PrinterService* service);

class ScopedPrinter {
public:
    explicit ScopedPrinter(PrinterService* s);
    ~ScopedPrinter();
    ScopedPrinter(const ScopedPrinter&) = delete;
    ScopedPrinter& operator=(const ScopedPrinter&) = delete;

private:
    PrinterService* previous_;
};

} // namespace vt::ui
