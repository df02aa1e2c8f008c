#pragma once

#include <QSerialPort>
#include <QString>

// Error numbers the serial control reports, as the program's callers know them.
enum SComError {
    ErrorDeviceUnavailable = 68,
    ErrorPermissionDenied = 70,
    ErrorInvalidSettings = 380,
    ErrorInvalidPort = 8002,
    ErrorPortAlreadyOpen = 8005,
    ErrorPortNotOpen = 8018,
};

// What the file system says about a device before or after trying to open it.
struct PortAccess {
    bool Exists = false;
    bool ReadWrite = false; // this user may read and write it
    QString Group;          // the device's owning group, empty when unknown
};

PortAccess ProbeAccess(const QString& device);

enum class OpenProblem { NotPresent, NoPermission, InUse, Other };

// Why opening failed. Qt reports a lock held by another program and missing rights both as a
// permission error; the device's access bits tell them apart.
OpenProblem ClassifyOpenFailure(QSerialPort::SerialPortError error, const PortAccess& access);

int OpenProblemNumber(OpenProblem problem);

// A reason for the log and a tooltip, in German (language index 0) or English. A missing right
// names the usual cure: membership of the device's group ("dialout" on most systems).
QString OpenProblemText(OpenProblem problem, const QString& portName, const QString& device,
                        const QString& group, const QString& systemText, int languageIndex);
