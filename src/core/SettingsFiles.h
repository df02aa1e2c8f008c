#pragma once

#include "core/AppSettings.h"
#include "core/Limits.h"
#include "core/SettingsOutcome.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

// One function per settings action; each reads or writes exactly one file in the given folder.
// A failure stops the action at once: values assigned before it stay, later lines are not read.
// Every file but Konfi.ini is created (empty; Language.ini holding "0") when missing.

// "KL": Konfi.ini in the program folder. Line 1 the model code; later lines "code;name;title;".
SettingsOutcome ReadKonfi(const QString& programFolder, AppSettings& settings);

struct PortReading {
    SettingsOutcome outcome;
    std::optional<QString> comboText; // "COM" + the last non-empty line, for the port box
    bool askForPort = false;          // an empty line was read: the wait label asks for a port
};

// "CL": Port.ini; sets COMPortNummer from each non-empty line's leading digits.
PortReading ReadPort(const QString& folder, AppSettings& settings);
// "CS"
SettingsOutcome WritePort(const QString& folder, const AppSettings& settings);

// "LL": Limit.ini "min;max;target;flag;" in regional numbers; also sets LimitTexts.
SettingsOutcome ReadLimits(const QString& folder, Limits& limits);
// "LS"
SettingsOutcome WriteLimits(const QString& folder, const Limits& limits);

// "TL": Tastatur.ini "enabled;application;fields;line end".
SettingsOutcome ReadKeyEvents(const QString& folder, AppSettings& settings);
// "TS"
SettingsOutcome WriteKeyEvents(const QString& folder, const AppSettings& settings);

// "SL": Language.ini. A negative index reads as German and one above 1 as English, so the index
// is always 0 or 1 afterwards.
SettingsOutcome ReadLanguage(const QString& folder, AppSettings& settings);
// "SS"
SettingsOutcome WriteLanguage(const QString& folder, const AppSettings& settings);

struct ProjectLabelsReading {
    SettingsOutcome outcome;
    int labelsGiven = 0; // ProjectFieldLabels[0, labelsGiven) were set; the others keep their text
};

// "PI": Projekt.ini in the measurement-data folder, captions in settings.LanguageIndex's language.
ProjectLabelsReading ReadProjectLabels(const QString& messDataFolder, AppSettings& settings);

struct ProjectDataReading {
    SettingsOutcome outcome;
    // The first 30 characters of each non-empty line 1..6; empty lines leave their field as it is.
    std::array<std::optional<QString>, 6> fields;
    // From the last "DT" line: its date, or now when it holds none; nothing without a "DT" line.
    std::optional<QDateTime> date;
};

// "PL": Projektdaten.ini.
ProjectDataReading ReadProjectData(const QString& folder, const QDateTime& now);
// "PS": six text lines, then "DT " and the date.
SettingsOutcome WriteProjectData(const QString& folder, const std::array<QString, 6>& fields,
                                 const QDateTime& date);
