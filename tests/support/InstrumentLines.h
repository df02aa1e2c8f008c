#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// An instrument line in its fixed columns: number 1-4, value 7-16 with "." as decimal point,
// unit 18-21, marker 23-25 and, when given, the instrument's date and time 27-45.
QString InstrumentLine(int number, double value, const QString& unit, const QString& marker,
                       const QDateTime& stamp = {});

// Thirty readings in µm of a coating on iron, around 100 with a few outside 80 to 120: the
// table, statistics and exports a person looks at in the screenshots.
QStringList DayOfReadings();
