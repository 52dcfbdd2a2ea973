#include "tests/support/qt/DialogAnswers.h"

namespace vt::test {

DialogAnswers::DialogAnswers() = default;
DialogAnswers::~DialogAnswers() = default;

void DialogAnswers::Reset() {
    boxes.clear();
    files = ui::ScriptedFileDialog();
}

QString QPath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

} // namespace vt::test
