#pragma once

#include "core/MeasurementStore.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The Enter key as the keystroke service types it.
inline const QString EnterKey = QStringLiteral("\n");

// Which extra items go with each value, in the order of KeyEventFields: number, date, unit,
// memory marker.
using KeyEventChoice = std::array<bool, 4>;

// The field-selection text read as check boxes: a position holding "1" is ticked; missing
// positions are unticked.
KeyEventChoice KeyEventChoiceOf(const QString& fields);

// KeyEventFields with positions 1 to 4 set to "1" or "0" from the choice. A text shorter than
// four is filled with "0" first, so every flag stays at its own position; characters after the
// fourth are kept.
QString KeyEventFieldsWith(const QString& fields, const KeyEventChoice& choice);

// The keystroke texts of one online record, each sent on its own and in this order: the number
// right-aligned to 7 characters, a blank and the date, the value as the table shows it (11
// characters), a blank and the unit, a blank and the marker, then the Enter key for the line
// end "ENTER". The value is always sent; the other items as the fields choose.
QStringList KeyEventTexts(const MeasurementRecord& record, const QString& decimalsMode,
                          const QString& fields, const QString& lineEnd);

// The X keysym of a character: Latin-1 characters have the keysym of their own number, every
// other character the Unicode keysym above 0x1000000; the Enter key is Return.
quint32 KeySymOf(char32_t c);

// The keysyms of a text, one per character, so that a desktop types each character whatever the
// keyboard layout. Control characters other than the Enter key have no key and are left out.
QList<quint32> KeySymsOf(const QString& text);
