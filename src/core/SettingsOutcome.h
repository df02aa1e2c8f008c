#pragma once

#include <QString>

// Result of one settings-file action. A failure carries the system-style description that the
// message box shows after the file's own text.
struct SettingsOutcome {
    bool ok = true;
    QString description;

    static SettingsOutcome Success() { return {}; }
    static SettingsOutcome Failure(const QString& description) { return {false, description}; }
};
