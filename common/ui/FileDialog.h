#pragma once
// Open and Save As dialogs behind a seam: tests answer them from a script.
#include <QString>
#include <deque>
#include <vector>

class QWidget;

namespace vt::ui {

struct FileDialogRequest {
    enum Kind { Open, Save } kind = Open;
    QString caption;
    QString directory; // initial folder
    QString fileName;  // proposed name
    QString filter;    // Qt filter text, e.g. "Data files (*.dat)"
    QString defaultSuffix; // Save: the extension a name typed without one gets, e.g. "dat"
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path, or an empty string when the user cancelled.
    virtual QString choose(QWidget* parent, const FileDialogRequest& request) = 0;
};

class QtFileDialog : public FileDialogService {
public:
    QString choose(QWidget* parent, const FileDialogRequest& request) override;
};

// Answers from a queue (an empty string is a cancel); with the queue empty it cancels.
class ScriptedFileDialog : public FileDialogService {
public:
    QString choose(QWidget* parent, const FileDialogRequest& request) override;
    void answer(const QString& path) { answers_.push_back(path); }
    const std::vector<FileDialogRequest>& requests() const { return requests_; }

private:
    std::deque<QString> answers_;
    std::vector<FileDialogRequest> requests_;
};

// The name a Save writes: `suffix` added when the file name has no extension, as Qt's default
// suffix does (a name with any dot, "fleet1.txt" or "fleet1.", stays as typed).
QString WithDefaultSuffix(const QString& path, const QString& suffix);

// Asks the current service; a Save answer gets the request's default suffix, whichever service gave it.
QString chooseFile(QWidget* parent, const FileDialogRequest& request);

FileDialogService& fileDialogService();
void setFileDialogService(FileDialogService* service);

class ScopedFileDialog {
public:
    explicit ScopedFileDialog(FileDialogService* s);
    ~ScopedFileDialog();
    ScopedFileDialog(const ScopedFileDialog&) = delete;
    ScopedFileDialog& operator=(const ScopedFileDialog&) = delete;

private:
    FileDialogService* previous_;
};

} // namespace vt::ui
