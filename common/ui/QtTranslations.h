#pragma once
// Qt's own texts (the standard buttons of message boxes, the file dialogs) in the program's
// language, from the translations Qt ships.

namespace vt::ui {

enum class QtLanguage { English, Chinese };

// Installs Qt's translations for the language, replacing those of an earlier call; English needs
// none. False when Qt's translation file for the language cannot be loaded (Qt's texts then stay
// English).
bool UseQtLanguage(QtLanguage language);

} // namespace vt::ui
