#pragma once
// Language texts for the 5-tone, special-call and FARMCALL/MARNET dialogs.
#include "editor/dataset/EditorData.h"

#include <QString>

namespace vt {

// A carriage return in a text (from "<br>" or the tone tables) is a line break on screen.
inline QString DisplayText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

inline QString LangText(const EditorData& d, const char* section, int index) {
    return DisplayText(d.Lang.Text(section, index));
}

} // namespace vt
