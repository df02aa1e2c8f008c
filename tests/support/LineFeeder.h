#pragma once

#include "app/frmTransfer.h"

#include <QDateTime>
#include <QStringList>

class ScriptedLink;

// An instrument line in its fixed columns: number 1-4, value 7-16 with "." as decimal point,
// unit 18-21, marker 23-25 and, when given, the instrument's date and time 27-45.
QString InstrumentLine(int number, double value, const QString& unit, const QString& marker,
                       const QDateTime& stamp = {});

// Thirty readings in µm of a coating on iron, around 100 with a few outside 80 to 120: the
// table, statistics and exports a person looks at in the screenshots.
QStringList DayOfReadings();

// The scripted link of a window started with TestInstallation::startScripted().
ScriptedLink& Script(frmTransfer& w);

// A memory download of these lines through the program's own Speicher_lesen, after which the
// memory is shown as the read commands show it.
void FeedDownload(frmTransfer& w, MemoryKind kind, const QStringList& lines);

// One line from the instrument in online mode; the Online memory must be shown.
void FeedOnline(frmTransfer& w, const QString& line);
