#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Control characters of the instrument's serial protocol.
constexpr char StartOfText = 2;
constexpr char EndOfTransmission = 4;
constexpr char NotAvailableChar = 25;

// Text from the instrument is 8-bit: Windows-1252 as the instruments write it ("µ" is byte 0xB5).
// A piece that is valid UTF-8 and not plain ASCII is read as UTF-8, so "µ" arrives as one
// character either way and column positions stay right.
QString DecodeInstrumentText(QByteArrayView bytes);

// Latin-1 bytes, as instruments and commands use them; characters outside Latin-1 become "?".
// With utf8 the text is written as UTF-8 instead.
QByteArray EncodeInstrumentText(const QString& text, bool utf8 = false);
