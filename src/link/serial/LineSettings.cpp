#include "link/serial/LineSettings.h"

#include <QStringList>

std::optional<LineSettings> ParseLineSettings(const QString& settings) {
    const QStringList parts = settings.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    LineSettings result;

    bool ok = false;
    result.BaudRate = parts[0].trimmed().toInt(&ok);
    if (!ok || result.BaudRate <= 0)
        return std::nullopt;

    const QString parity = parts[1].trimmed().toLower();
    if (parity == QLatin1String("n"))
        result.Parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("e"))
        result.Parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("o"))
        result.Parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("m"))
        result.Parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("s"))
        result.Parity = QSerialPort::SpaceParity;
    else
        return std::nullopt;

    const int dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || dataBits < 5 || dataBits > 8)
        return std::nullopt;
    result.DataBits = static_cast<QSerialPort::DataBits>(dataBits);

    const QString stopBits = parts[3].trimmed();
    if (stopBits == QLatin1String("1"))
        result.StopBits = QSerialPort::OneStop;
    else if (stopBits == QLatin1String("1.5"))
        result.StopBits = QSerialPort::OneAndHalfStop;
    else if (stopBits == QLatin1String("2"))
        result.StopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return result;
}

std::optional<QSerialPort::FlowControl> FlowControlFor(int handshaking) {
    switch (handshaking) {
    case 0:
        return QSerialPort::NoFlowControl;
    case 1:
        return QSerialPort::SoftwareControl;
    case 2:
    case 3:
        return QSerialPort::HardwareControl;
    default:
        return std::nullopt;
    }
}
