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
