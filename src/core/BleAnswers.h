#pragma once

#include "core/DeviceInfo.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Answers of a Bluetooth LE instrument, read from the values of its characteristics.

// Takes the answer to "$zorv00!" into info: the text before the first "!", a run of fields each
// written as key letter, ":", value and one separator character. "T" PT, "V" IdentV, "B" IdentB,
// "R" IdentR, "S" IdentS, "H" VD, "M" AD; other keys are skipped; absent keys keep their values.
// A value may not hold ":" (the next colon starts the next field). Returns what did not fit the
// format (no "!", no field at all, a colon without key letter), for the log; what could be read
// is still taken.
QStringList ApplyBleIdentification(const QString& value, DeviceInfo& info);

// The memory directory: a count line, then one "name,count" line per memory, lines split at LF.
struct BleDirectory {
    qint16 StorageCount = 0;
    QStringList StorageNames;   // index 0 is memory 1
    QList<qint16> StorageSizes; // values held by each memory
    QStringList Problems;       // lines that did not fit, for the log
};

// Counts are read as leading numbers rounded half to even; a count that is no number reads as 0.
// A memory line without comma keeps the whole line as name with no values; a count beyond the
// lines that came is cut to the memories listed; negative counts read as 0.
BleDirectory ParseBleDirectory(const QString& value);

// The instrument's clock from an answer beginning "$glt?": the text after it up to the closing
// "!" (all of it when the "!" is missing), without line ends. Nothing for any other value.
std::optional<QString> BleClockAnswer(const QString& value);

// The clock text written to the instrument, yyyy-mm-dd/hh:nn:ss on the 24-hour clock.
QString BleClockText(const QDateTime& time);
// The command that sets the instrument's clock: "$slt?", the clock text, "!" and CR LF.
QString BleSetClockCommand(const QString& clockText);

// One block of a memory download, taken while counted values are fewer than the memory holds.
struct BleBlockLines {
    QStringList Lines; // lines for the measurement parser, without line ends
    int Counter = 1;   // number of the next value of the memory
};

// Splits a block at LF (a CR before it dropped) and takes its lines in turn while counter is at
// most valueCount: a non-empty line counts one value, and one longer than 15 characters goes to
// the parser. Every line of the block is taken, also beyond the usual five, so no value is lost.
BleBlockLines TakeBleBlock(const QString& block, int counter, int valueCount);
