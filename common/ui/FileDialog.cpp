#include "common/ui/FileDialog.h"

#include <QDir>
#include <QFileDialog>

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
    return QFileDialog::getSaveFileName(parent, r.caption, start, r.filter);
}

QString ScriptedFileDialog::choose(QWidget*, const FileDialogRequest& request) {
    requests_.push_back(request);
    if (answers_.empty()) return QString();
    QString a = answers_.front();
    answers_.pop_front();
    return a;
}

FileDialogService& fileDialogService() { return g_service ? *g_service : qtDialog(); }
void setFileDialogService(FileDialogService* service) { g_service = service; }

ScopedFileDialog::ScopedFileDialog(FileDialogService* s) : previous_(g_service) { g_service = s; }
ScopedFileDialog::~ScopedFileDialog() { g_service = previous_; }

} // namespace vt::ui
