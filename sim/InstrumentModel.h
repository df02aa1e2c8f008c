#pragma once

#include "core/DeviceInfo.h"

#include <QDateTime>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <optional>

// What a simulated instrument of one model code says about itself and how its values look.
struct SimModel {
    DeviceInfo Device; // model code and capability fields
    QString IdentLine; // first line of the identification answer
    QString Version;   // "VD" value
    QString Probe;     // "PT" value
    QString Unit;      // four-column unit text, e.g. "µm", "G ", "kA/m"
    double Mean = 0;
    double Spread = 0;   // standard deviation of the values
    bool Signed = false; // values may be negative
    int MemoryCount = 1; // 0 (online only), 1 or 2
};

// The serial instruments; nothing for LE instruments and unknown codes.
std::optional<SimModel> SimModelFor(const QString& modelCode);

// One stored or online value.
struct SimReading {
    int Number = 0;
    double Value = 0;
    QString Unit;
    QString Marker;  // three characters, e.g. " Fe", "NFe", blanks
    QDateTime Stamp; // null when the model's lines carry no date and time
};

// The value as the instrument prints it: decimals by size for coating units, by the model's
// decimals otherwise; always "." as the decimal point.
QString SimValueText(double value, const QString& unit, const QString& decimalsMode);

// A measurement line in the instrument's fixed columns: number 1-4, value 7-16, unit 18-21,
// marker 23-25 and, when stamped, date and time 27-45 as "yyyy-MM-dd hh:mm:ss".
QString SimMeasurementLine(const SimReading& reading, const QString& decimalsMode);

// Readings as the instrument's memory `memory` (1 or 2) would hold them, numbered from 1. Stamps
// start at stampStart and are seven seconds apart when the model stamps its lines.
QList<SimReading> SimReadings(const SimModel& model, int memory, int count,
                              QRandomGenerator& random, const QDateTime& stampStart);

// The identification answer without its end-of-transmission character: the first line, then
// "VD", "M", "AD", "PT" and "VP" lines. Two-memory instruments report both counts, one-memory
// instruments theirs under memoryNumber, instruments without memory none.
QString SimIdentification(const SimModel& model, int feCount, int nfeCount, int memoryNumber);

// The answer to a memory request: the line holding only the character 2, a header line starting
// with four blanks, the measurement lines, a closing four-blank line and the character 4.
QString SimDownload(int memory, const QStringList& lines);
