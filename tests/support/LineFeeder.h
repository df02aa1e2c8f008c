#pragma once

#include "app/frmTransfer.h"
#include "support/InstrumentLines.h"

#include <QDateTime>
#include <QStringList>

class ScriptedLink;

// The scripted link of a window started with TestInstallation::startScripted().
ScriptedLink& Script(frmTransfer& w);

// A memory download of these lines through the program's own Speicher_lesen, after which the
// memory is shown as the read commands show it.
void FeedDownload(frmTransfer& w, MemoryKind kind, const QStringList& lines);

// One line from the instrument in online mode; the Online memory must be shown.
void FeedOnline(frmTransfer& w, const QString& line);
