#pragma once

#include "core/SettingsOutcome.h"

#include <QByteArray>
#include <QString>

// Files of measured series: the folder "mes" below the measurement-data folder, the automatic
// online file and whole-file reads and writes.

// Ok, or the system's words for a failure; the same record as the settings files'.
using MesFileOutcome = SettingsOutcome;

// A .mes file above this size is not one of ours (5000 records take about 300 KB).
constexpr qint64 MaxMesFileSize = 32 * 1024 * 1024;

QString MesFolder(const QString& messDataPath);

// Creates the folder, and any missing parent, when it does not exist yet.
MesFileOutcome EnsureMesFolder(const QString& folder);

// "Online.mes" in the folder: rewritten after every value received online.
QString OnlineMesPath(const QString& folder);

// The name as chosen in the save dialog, relative names taken in `folder`; ".mes" is appended
// unless the file name already contains ".mes" (in any letter case) somewhere.
QString WithMesExtension(const QString& folder, const QString& chosenName);

// Replaces the file by the report text followed by one more CR LF, in UTF-8. The text is written
// under a temporary name and renamed when complete, so a crash, a full disk or a removed drive
// leaves the previous file whole.
MesFileOutcome WriteMesFile(const QString& path, const QString& reportText);

// The whole file; larger files than MaxMesFileSize are refused.
MesFileOutcome ReadMesFile(const QString& path, QByteArray& bytes);

// Caption of the FE option after a file was opened: its name and the number of records.
QString MesCaption(const QString& path, int count);
