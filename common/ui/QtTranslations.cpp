#include "common/ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vt::ui {

bool UseQtLanguage(QtLanguage language) {
    // One translator for the program's lifetime: a language switch replaces its contents.
    static QTranslator* translator = nullptr;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    if (language == QtLanguage::English) return true;
    auto next = new QTranslator;
    if (!next->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete next;
        return false;
    }
    QCoreApplication::installTranslator(next);
    translator = next;
    return true;
}

} // namespace vt::ui
