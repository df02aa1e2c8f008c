#pragma once

#include <QString>
#include <array>

// Per-language caption and message texts; index 0 German, 1 English, 2 never filled.
struct LanguageTexts {
    std::array<QString, 61> CaptionTexts;
    std::array<QString, 91> MessageTexts;
};

class TextTable {
public:
    void CaptionTexts_fuellen();
    // titleAndVersion becomes message slot 14 in both languages.
    void MessageTexts_fuellen(const QString& titleAndVersion);

    // Out-of-range slots give an empty text; a negative language index reads as German.
    const QString& caption(int languageIndex, int slot) const;
    const QString& message(int languageIndex, int slot) const;

private:
    std::array<LanguageTexts, 3> m_languages;
};
