#include "core/SettingsMessages.h"

#include <array>

namespace {

struct ErrorTexts {
    const char16_t* code;
    const char16_t* german;
    const char16_t* english;
};

// Used as they stand, blanks, "&" and "Datei" included: users and log readers know these lines.
constexpr std::array<ErrorTexts, 12> Texts = {{
    {u"CL", u"Probleme beim Lesen Datei Port.ini: ", u"problems reading file Port.ini: "},
    {u"CS", u"Probleme beim Schreiben Datei Port.ini: ", u"problems writing file Port.ini: "},
    {u"KL", u"Probleme beim Lesen Datei Konfi.ini: ", u"problems reading file Konfi.ini: "},
    {u"LL", u"Probleme beim Lesen Datei Limit.ini: ", u"problems reading file  Limit.ini: "},
    {u"LS", u"Probleme beim Schreiben Datei Limit.ini: ", u"problems writing file  Limit.ini: "},
    {u"SL", u"Probleme beim Lesen Datei & Language.ini: ", u"problems reading file Language.ini:"},
    {u"SS", u"Probleme beim Schreiben Datei Language.ini: ",
     u"problems writing file Language.ini: "},
    {u"PL", u"Probleme beim Lesen Datei Projektdaten.ini: ",
     u"problems reading file  Projektdaten.ini: "},
    {u"PS", u"Probleme beim Schreiben Datei Projektdaten.ini: ",
     u"problems writing file  Datei Projektdaten.ini: "},
    {u"PI", u"Probleme beim Lesen Datei Projekt.ini: ",
     u"problems reading file  Datei Projekt.ini: "},
    {u"TL", u"Probleme beim Lesen Datei Tastatur.ini: ", u"problems reading file Tastatur.ini: "},
    {u"TS", u"Probleme beim Schreiben Datei Tastatur.ini: ",
     u"problems writing file Tastatur.ini: "},
}};

} // namespace

QString SettingsErrorText(const QString& actionCode, int languageIndex) {
    for (const ErrorTexts& texts : Texts) {
        if (actionCode == QStringView(texts.code))
            return QString::fromUtf16(languageIndex == 0 ? texts.german : texts.english);
    }
    return {};
}
