#pragma once

#include <QString>

// The names and numbers of the desktop's remote-desktop portal that the program and its
// simulator both speak.
namespace Portal {

inline const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
inline const QString DesktopPath = QStringLiteral("/org/freedesktop/portal/desktop");
inline const QString RemoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
inline const QString Request = QStringLiteral("org.freedesktop.portal.Request");
inline const QString Session = QStringLiteral("org.freedesktop.portal.Session");

constexpr uint Keyboard = 1;            // a device type of SelectDevices
constexpr uint PersistUntilRevoked = 2; // a persist mode of SelectDevices
constexpr uint Success = 0;             // response codes of a request
constexpr uint Cancelled = 1;
constexpr uint Released = 0; // key states of NotifyKeyboardKeysym
constexpr uint Pressed = 1;

} // namespace Portal
