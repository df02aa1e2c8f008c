#include "link/serial/PortAccess.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

PortAccess ProbeAccess(const QString& device) {
    PortAccess access;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    struct stat info {};
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0)
        return access;
    access.Exists = true;
    access.ReadWrite = ::access(path.constData(), R_OK | W_OK) == 0;
    if (const group* owner = ::getgrgid(info.st_gid))
        access.Group = QString::fromLocal8Bit(owner->gr_name);
#else
    // Windows names ports, not files; only opening tells.
    access.Exists = !device.isEmpty();
    access.ReadWrite = access.Exists;
#endif
    return access;
}

OpenProblem ClassifyOpenFailure(QSerialPort::SerialPortError error, const PortAccess& access) {
    if (!access.Exists || error == QSerialPort::DeviceNotFoundError)
        return OpenProblem::NotPresent;
    if (!access.ReadWrite)
        return OpenProblem::NoPermission;
    if (error == QSerialPort::PermissionError || error == QSerialPort::OpenError)
        return OpenProblem::InUse;
    return OpenProblem::Other;
}

int OpenProblemNumber(OpenProblem problem) {
    switch (problem) {
    case OpenProblem::NoPermission:
        return ErrorPermissionDenied;
    case OpenProblem::InUse:
        return ErrorPortAlreadyOpen;
    case OpenProblem::NotPresent:
    case OpenProblem::Other:
        break;
    }
    return ErrorDeviceUnavailable;
}

QString OpenProblemText(OpenProblem problem, const QString& portName, const QString& device,
                        const QString& group, const QString& systemText, int languageIndex) {
    const bool german = languageIndex == 0;
    const QString port =
        device.isEmpty() ? portName : portName + QStringLiteral(" (") + device + QLatin1Char(')');
    const QString cureGroup =
        group.isEmpty() || group == QLatin1String("root") ? QStringLiteral("dialout") : group;
    switch (problem) {
    case OpenProblem::NotPresent:
        return german ? port + QStringLiteral(" ist nicht vorhanden.")
                      : port + QStringLiteral(" is not present.");
    case OpenProblem::NoPermission:
        return german ? QStringLiteral("Keine Berechtigung für %1. Abhilfe: den Benutzer in die "
                                       "Gruppe \"%2\" aufnehmen (sudo usermod -aG %2 $USER) und "
                                       "neu anmelden.")
                            .arg(port, cureGroup)
                      : QStringLiteral("No permission to open %1. Cure: add the user to the group "
                                       "\"%2\" (sudo usermod -aG %2 $USER) and log in again.")
                            .arg(port, cureGroup);
    case OpenProblem::InUse:
        return german ? port + QStringLiteral(" wird von einem anderen Programm benutzt.")
                      : port + QStringLiteral(" is in use by another program.");
    case OpenProblem::Other:
        break;
    }
    return german ? port + QStringLiteral(" kann nicht geöffnet werden: ") + systemText
                  : port + QStringLiteral(" cannot be opened: ") + systemText;
}
