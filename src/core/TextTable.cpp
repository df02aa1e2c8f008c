#include "core/TextTable.h"

#include <span>

namespace {

struct Wording {
    int slot;
    const char* german;
    const char* english;
};

constexpr Wording Captions[] = {
    {0, "Datei", "File"},
    {1, "Datei öffnen", "Open Data File"},
    {2, "In Datei speichern", "Save to File"},
    {3, "Drucken", "Print"},
    {4, "Programm beenden", "Exit Program"},
    {5, "Programmende", "Exit program"},
    {10, "Schnittstelle", "Interface"},
    {11, "Schnittstelle wählen", "Select Interface"},
    {20, "Datenübertragung", "Data Transfer"},
    {21, "Vom Gerät einlesen", "Read Data from device"},
    {30, "Sprache", "Language"},
    {31, "Englisch", "English"},
    {32, "Deutsch", "German"},
    {40, "Hilfe", "Help"},
    {41, "Info", "Info"},
    {42, "Bedienungsanleitung", "Manual"},
    {43, "Speichern", "Save"},
    {44, "Löschen", "Delete"},
    {45, "Tastaturevents", "KeyEvents"},
    {50, "Verbinden", "Connect"},
    {51, "Getrennt", "Disconnected"},
    {52, "Trennen", "Disconnect"},
    {53, "Verbunden", "Connected"},
    {54, "Wiederverbinden", "ReConnect"},
    {55, "Nicht Verbunden", "not connected"},
};

// Slot 14 carries the model title and version, known only at run time.
constexpr Wording Messages[] = {
    {0, "Nr.", "No."},
    {1, "Messwert", "Value"},
    {2, "Messeinheit", "Unit"},
    {3, "Geräte-Schnittstelle eingeben :", "Enter COM-Port of device :"},
    {4, "Keine Datei ausgewählt!", "No file selected !"},
    {5, "Bitte gültigen COM-Port wählen !", "Please select valid COM-Port !"},
    {6, "FE-Speicher", "FE-Memory"},
    {7, "NFE-Speicher", "NFE-Memory"},
    {8, "Online", "Online"},
    {9, "Daten in Clipboard kopieren", "Copy data to clipboard"},
    {10, "Statistik:", "Statistics:"},
    {11, "FE-Speicher2", "FE-Memory2"},
    {12, "NFE-Speicher", "NFE-Memory"},
    {13, "Bitte warten....", "Please wait...."},
    {15, "FE-Speicher1", "FE-Memory1"},
    {16, "Datum:", "Date:"},
    {17, "Fertig", "Done"},
    {18, "FE-Speicher leer!", "FE-Memory empty"},
    {19, "NFE-Speicher leer!", "NFE-Memory empty"},
    {20, "Messwerte", "Data"},
    {21, "Befehle", "Commands"},
    {22, "Fehler beim Einlesen der Geraeteinformationen", "Read device information Error"},
    {23, "Daten kopieren nach", "Copy data to"},
    {24, "Bitte COM-Port auswählern", "Please select COM-Port"},
    {25, "Eingabe muss numerisch sein!", "Numeric field required!"},
    {26, "Werte passen nicht zum Tabellentyp !", "Data doesn't match table type !"},
    {27, "Speicher 1 ist leer", "Memory 1 has no data"},
    {28, "Speicher 2 ist leer", "Memory 2 has no data"},
    {29, "Gerät nicht verfügbar !", "Device is not available !"},
    {30, "Speicher einlesen", "Read Memory"},
    {31, "Kein Com-Port verfügbar!", "No Com-Port available!"},
    {32, "Speicher", "Memory"},
    {33, "Speicher leer", "Memory empty"},
    {34, "Kein Eintrag ausgewählt", "No entry selected"},
    {35, "Minimum größer als Maximum!", "Minimum higher than maximum!"},
    {36, "Sollwert muss zwischen Minimum und Maximum liegen!",
     "Target value should be within Minimum and Maximum!"},
    {37, "Achtung Gerätespeicher kann hier nicht gelöscht werden!",
     "Warning! Device-Memory will not be deleted!"},
    {38, "Projektdaten", "Project data"},
    {39, "Grenzwerte", "Limits"},
    {40, "Zeile löschen", "Delete row"},
    {41, "Tabelle löschen", "Delete Tab"},
    {42, "BEREIT", "READY"},
    {43, "Geraet", "Device"},
    {44, "Geraete Software Version", "Device Softwareversion"},
    {45, "Sollwert", "Target value"},
    {46, "Datum/Uhrzeit", "Date/Time"},
    {47, "Speicher leer", "memory empty"},
    {48, "Bitte Tabelle löschen", "Please delete Table"},
    {49, "Excel inklusive Chart erstellen?", "Generate Excel Worksheet with chart?"},
    {50, "Wollen Sie die Tabelle wirklich löschen?", "Do you really want to delete this table?"},
    {51, "Wollen Sie die markierte Zeile wirklich löschen?",
     "Do you really want to delete this row?"},
    {52, "Nur positive Werte erlaubt", "Only positive digits allowed"},
    {53, "Maximale Werteanzahl überschritten", "Maximal number of data exceeded"},
    {54, "Bitte nur eine Zeile auswählen", "Please choose only one row"},
    {55, "Stopp", "Stop"},
    {56, "Weiter", "Continue"},
    {57, "Eingabe Sollwert bei 80/20 Regel erforderlich",
     "Please enter targe value when using 80/20 rule "},
    {58, "Ja", "Yes"},
    {59, "Nein ", "No"},
    {60, "Min Limit  an 80/20 Regel angepasst von ", "Min limit changed due to 80/20 rule from "},
    {61, "nach", "to"},
    {62, "Tastatur Events senden", "Send key events"},
    {63, "Online Wert wird automatisch als Tastatur Event an andere Anwendung versendet",
     "Online value will be automatically transfered to another application"},
    {64, "Funktion aktivieren", "Activate function"},
    {65, "Anwendung an die gesendet wird", "Application to which will be send"},
    {66, "Werte inklusive", "Values including"},
    {67, "Datum", "Date"},
    {68, "Zeilenende Zeichen", "End of line char"},
    {69, "Keins", "None"},
    {70, "Nr", "No"},
    {71, "Datum Zeit", "Date Time"},
    {72, "Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet",
     "Device out of bluetooth range or switched off"},
    {73, "Batterie", "Battery"},
    {74, "Sondentyp", "Probetype"},
    {75, "Bitte Bluetooth Einstellungen prüfen, oder Adapter verbinden",
     "Please check bluetooth settings or connect dongle"},
    {76, "S", "M"},
    {77, "Verbinden mit MAC ", "Connect to MAC "},
    {78, "Bitte wiederholen", "Please try again"},
    {79, "Bluetooth Gerät zum Verbinden auswählen", "Select Bluetooth device for connection"},
    {80, "Datum/Zeit wurde aktualisert", "Date/Time set done"},
    {81, "Bitte Gerät einschalten, 3 Sekunden warten und Wiederverbinden drücken",
     "Please switch on device ,wait 3 seconds and press Reconnect"},
    {82, "Bitte einen Speicher auswählen", "Please select a memory"},
    {83, "Keine Speicher vorhanden", "No memory available"},
};

constexpr int German = 0;
constexpr int English = 1;

template <std::size_t N>
void fill(std::array<LanguageTexts, 3>& languages, std::array<QString, N> LanguageTexts::*texts,
          std::span<const Wording> wordings) {
    for (const Wording& w : wordings) {
        (languages[German].*texts)[w.slot] = QString::fromUtf8(w.german);
        (languages[English].*texts)[w.slot] = QString::fromUtf8(w.english);
    }
}

template <std::size_t N>
const QString& lookup(const std::array<LanguageTexts, 3>& languages,
                      std::array<QString, N> LanguageTexts::*texts, int languageIndex, int slot) {
    static const QString empty;
    const int language = languageIndex < 0 ? German : languageIndex;
    if (language >= static_cast<int>(languages.size()) || slot < 0 || slot >= static_cast<int>(N))
        return empty;
    return (languages[language].*texts)[slot];
}

} // namespace

void TextTable::CaptionTexts_fuellen() {
    fill(m_languages, &LanguageTexts::CaptionTexts, Captions);
}

void TextTable::MessageTexts_fuellen(const QString& titleAndVersion) {
    fill(m_languages, &LanguageTexts::MessageTexts, Messages);
    m_languages[German].MessageTexts[14] = titleAndVersion;
    m_languages[English].MessageTexts[14] = titleAndVersion;
}

const QString& TextTable::caption(int languageIndex, int slot) const {
    return lookup(m_languages, &LanguageTexts::CaptionTexts, languageIndex, slot);
}

const QString& TextTable::message(int languageIndex, int slot) const {
    return lookup(m_languages, &LanguageTexts::MessageTexts, languageIndex, slot);
}
