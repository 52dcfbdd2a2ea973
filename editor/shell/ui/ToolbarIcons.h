#pragma once
// The editor's pictures, drawn by code: toolbar buttons, the program picture (window icon,
// splash, About boxes).
#include <QIcon>
#include <QPixmap>

namespace vt {

enum class ToolbarPicture { New, Open, Save, Option, Area, Dialer, Setup, Read, Write };

QIcon ToolbarIcon(ToolbarPicture picture);
// A hand-held radio, size x size pixels, transparent around it.
QPixmap ProgramPicture(int size);

} // namespace vt
