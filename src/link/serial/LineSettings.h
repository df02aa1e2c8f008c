#pragma once

#include <QSerialPort>
#include <QString>
#include <optional>

// Line settings in the serial control's text form, e.g. "38400,n,8,1".
struct LineSettings {
    qint32 BaudRate = 9600;
    QSerialPort::Parity Parity = QSerialPort::NoParity;
    QSerialPort::DataBits DataBits = QSerialPort::Data8;
    QSerialPort::StopBits StopBits = QSerialPort::OneStop;
};

// Baud rate, parity (n, e, o, m, s), data bits (5 to 8) and stop bits (1, 1.5, 2), separated by
// commas; blanks around the parts and the case of the parity letter do not matter. Nothing for
// any other text.
std::optional<LineSettings> ParseLineSettings(const QString& settings);

// Handshaking 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both (RTS/CTS is what a port can do at once).
std::optional<QSerialPort::FlowControl> FlowControlFor(int handshaking);
