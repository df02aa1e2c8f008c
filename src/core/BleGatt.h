#pragma once

#include <QString>

// The GATT layout of the Bluetooth LE instruments: UUIDs as upper-case text.
namespace BleGatt {

inline const QString CommandService = QStringLiteral("722383EA-0662-466F-B41F-0FD548267C10");
inline const QString CommandChar = QStringLiteral("000028CA-0000-1000-8000-00805F9B34FB");
inline const QString TraceChar = QStringLiteral("CA28ED7B-0662-466F-B41F-0FD548267C10");
inline const QString DataService = QStringLiteral("3DCF8700-54E8-4FBC-A822-25EC413CA19B");
inline const QString StorageInfoChar = QStringLiteral("3DCF8701-54E8-4FBC-A822-25EC413CA19B");
inline const QString StorageDataChar = QStringLiteral("3DCF8702-54E8-4FBC-A822-25EC413CA19B");
inline const QString MeasureChar = QStringLiteral("3DCF8703-54E8-4FBC-A822-25EC413CA19B");

} // namespace BleGatt
