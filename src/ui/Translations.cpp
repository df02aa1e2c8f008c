#include "ui/Translations.h"

#include "core/Descriptions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool UseLanguage(int languageIndex) {
    static QTranslator qt;
    static GermanDescriptions own;
    QCoreApplication::removeTranslator(&qt);
    QCoreApplication::removeTranslator(&own);
    // English is the language the texts are written in.
    if (languageIndex != 0)
        return true;
    QCoreApplication::installTranslator(&own);
    if (!qt.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(&qt);
    return true;
}
