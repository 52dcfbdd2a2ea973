#include "common/ui/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace vt::ui {

namespace {
FileDialogService* g_service = nullptr;
QtFileDialog& qtDialog() {
    static QtFileDialog d;
    return d;
}
} // namespace

QString QtFileDialog::choose(QWidget* parent, const FileDialogRequest& r) {
    QString start = r.directory;
    if (!r.fileName.isEmpty()) start = QDir(r.directory).filePath(r.fileName);
    if (r.kind == FileDialogRequest::Open) return QFileDialog::getOpenFileName(parent, r.caption, start, r.filter);
    // The dialog adds the suffix itself before it asks about replacing a file, so the question
    // names the file that is then written.
    QFileDialog dialog(parent, r.caption, start, r.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(r.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
}

QString ScriptedFileDialog::choose(QWidget*, const FileDialogRequest& request) {
    requests_.push_back(request);
    if (answers_.empty()) return QString();
    QString a = answers_.front();
    answers_.pop_front();
    return a;
}

QString WithDefaultSuffix(const QString& path, const QString& suffix) {
    const QString name = QFileInfo(path).fileName();
    if (suffix.isEmpty() || name.isEmpty() || name.contains('.')) return path;
    return path + '.' + suffix;
}

QString chooseFile(QWidget* parent, const FileDialogRequest& request) {
    const QString path = fileDialogService().choose(parent, request);
    return request.kind == FileDialogRequest::Save ? WithDefaultSuffix(path, request.defaultSuffix) : path;
}

FileDialogService& fileDialogService() { return g_service ? *g_service : qtDialog(); }
void setFileDialogService(FileDialogService* service) { g_service = service; }

ScopedFileDialog::ScopedFileDialog(FileDialogService* s) : previous_(g_service) { g_service = s; }
ScopedFileDialog::~ScopedFileDialog() { g_service = previous_; }

} // namespace vt::ui
