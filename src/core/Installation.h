#pragma once

#include "core/AppSettings.h"

#include <QString>

// The names an installation goes by: its folders, its window, its single running instance.
struct InstallationNames {
    QString CompanyName;
    QString ModelTitle; // empty for an unknown model code
};

// From Konfi.ini: the model's title under the own brand, or the brand line's name and title.
InstallationNames NamesOf(const AppSettings& settings);

// A name from Konfi.ini made fit to be one folder name, never a way into another folder:
// separators and control characters become "_", as do leading dots (".." and hidden names); an
// empty name becomes "_". Overlong names are cut to a length every file system takes.
QString FolderName(const QString& name);
