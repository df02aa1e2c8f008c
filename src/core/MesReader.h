#pragma once

#include "core/DeviceInfo.h"
#include "core/MeasurementStore.h"

#include <QByteArray>
#include <QString>
#include <vector>

// What a .mes file holds for the table.
struct MesReading {
    // Slot 1 first, at most MeasurementStore::MaxSlot records.
    std::vector<MeasurementRecord> Records;
    // First field of the column header of a series stamped by the PC ("dd.MM.yyyy"), which is
    // also slot 1's date; empty when the file has none.
    QString HeaderDate;
    // Records whose value could be read; none means the file holds nothing to show.
    int ValuesRead = 0;
    // Records after the first MeasurementStore::MaxSlot, which the table has no room for.
    int LeftOut = 0;
};

// Reads the records of a .mes file: the report text that cmdSave_Click writes, or such a file
// edited by hand. UTF-16 or UTF-32 after their byte-order mark, UTF-8 when the bytes are valid
// UTF-8, Windows-1252 otherwise. Numbers, dates and times follow the default locale, fields and
// stamps the instrument's StampSource and MarkerSource, so a file reads correctly with the same
// kind of instrument and the same regional settings.
// Lines without a ":" (title, statistics, limits, headers) are skipped; so is a line from which
// neither a number nor a value can be read, as its record would end the series and hide every
// later one. Fields that cannot be read stay empty (a single blank, numbers 0); a value the table
// cannot show in its 11 characters counts as unreadable. A last line without line end whose value
// runs to its end was cut off, and is no record.
MesReading ReadMesText(const QByteArray& bytes, const DeviceInfo& device);

// Replaces the FE memory by the records read: the series of slots 1 to n.
void StoreMesRecords(const MesReading& reading, MeasurementStore& store);
