#pragma once

#include "core/MeasurementStore.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

struct DeviceInfo;

// Reads a number the way the instrument writes it: blanks anywhere are skipped, then an optional
// sign, digits, "." as the decimal point whatever the locale, an optional exponent; reading stops
// at the first character that cannot continue the number, and text without one reads as 0.
// Empty only when the number is too large for a double.
std::optional<double> ReadNumber(const QString& text);

// The characters of a fixed field of the line, first column counted from 1. A line that ends
// early gives the part that is there, possibly nothing.
QString LineField(const QString& line, int firstColumn, int width);

// "ym" and "mu" are how instruments without "µ" in their character set write micrometres.
QString NormalizeUnit(const QString& unit);

// The 19-character date-and-time field, "yyyy-MM-dd hh:mm:ss" with any separators. Parts out of
// range roll over as calendar arithmetic does (month 13 is January of the next year, minute 60
// the next hour). Empty when a part is not a number or the date lies outside the calendar.
std::optional<QDateTime> ParseDeviceStamp(const QString& field);

// The locale's long time format without its time-zone part: the instrument's clock has no zone.
QString LongTimeFormat(const QLocale& locale);

// Next slot of the current memory and next number of an online record; both stay within the
// range of a 16-bit signed integer.
struct MeasurementCounters {
    int CurrentIndex = 1;
    int OnlineCounter = 1;
};

enum class FillStatus {
    Added,   // stored; the table shows it, then AdvanceCounters
    Dropped, // stored fields but neither number nor value: a header line; the slot is reused
    Ignored, // the end-of-transmission line of an EL7 instrument: nothing stored
    Failed   // refused: nothing stored, no counter moves
};

struct FillResult {
    FillStatus Status = FillStatus::Ignored;
    int Slot = 0;
    int ErrorNumber = 0;
    QString ErrorDescription;
    // PC clock when the line was taken ("hh:mm:ss", "dd.MM.yyyy"); empty when ignored.
    QString ClockTime;
    QString ClockDate;

    // "Fill Messdaten: " + error number + description, for the message box and the log.
    QString Message() const;
};

// Error numbers of a failed line.
constexpr int FillErrorOverflow = 6;
constexpr int FillErrorSlot = 9;
constexpr int FillErrorNotANumber = 13;

// Stores one instrument line in the slot counters.CurrentIndex of the memory `kind` (Online: the
// slot and number are counters.OnlineCounter, which CurrentIndex then also holds). A line whose
// value field holds no digit, whose value the table cannot show in its 11 characters, or whose
// number or device stamp cannot be read is refused without touching the slot. Device stamps
// are shown in the default locale's long time and short date formats; PC-clock texts (from `now`)
// fill a slot's empty time and date.
FillResult FillMessdaten(const QString& line, MemoryKind kind, MeasurementCounters& counters,
                         const DeviceInfo& device, const QDateTime& now, MeasurementStore& store);

// Moves on after an added record has been shown: the next slot and, for instruments that number
// online values themselves ("E"), the next online number. False, with nothing changed, when a
// counter would leave the 16-bit range.
bool AdvanceCounters(MeasurementCounters& counters, MemoryKind kind, const DeviceInfo& device);
