#pragma once
// The message boxes and file dialogs of a window test, answered from a script: while the object
// lives every box and every Open / Save As dialog goes to it instead of the user.
#include "common/ui/FileDialog.h"
#include "common/ui/MessageBox.h"

#include <QString>
#include <filesystem>

namespace vt::test {

struct DialogAnswers {
    ui::ScriptedMessageBox boxes;
    ui::ScriptedFileDialog files;

    DialogAnswers();
    // Forgets what was shown and asked, and every answer not yet given (a fresh test).
    void Reset();
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

private:
    ui::ScopedMessageBox boxScope_{&boxes};
    ui::ScopedFileDialog fileScope_{&files};
};

// A path as the windows take it.
QString QPath(const std::filesystem::path& p);

} // namespace vt::test
