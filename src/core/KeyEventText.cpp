#include "core/KeyEventText.h"

#include "core/MeasurementTable.h"

KeyEventChoice KeyEventChoiceOf(const QString& fields) {
    KeyEventChoice choice{};
    for (std::size_t i = 0; i < choice.size(); ++i)
        choice[i] = fields.mid(static_cast<qsizetype>(i), 1) == QLatin1String("1");
    return choice;
}

QString KeyEventFieldsWith(const QString& fields, const KeyEventChoice& choice) {
    QString result = fields.leftJustified(static_cast<qsizetype>(choice.size()), u'0');
    for (std::size_t i = 0; i < choice.size(); ++i)
        result[static_cast<qsizetype>(i)] = choice[i] ? u'1' : u'0';
    return result;
}

QStringList KeyEventTexts(const MeasurementRecord& record, const QString& decimalsMode,
                          const QString& fields, const QString& lineEnd) {
    const KeyEventChoice choice = KeyEventChoiceOf(fields);
    const TableRowTexts row = MSFlexRowTexts(record, TimeColumn::DateAndTime, decimalsMode);
    const QString blank = QStringLiteral(" ");
    QStringList texts;
    if (choice[0])
        texts << row[1];
    if (choice[1])
        texts << blank + record.DateText;
    texts << row[2];
    if (choice[2])
        texts << blank + record.Unit;
    if (choice[3])
        texts << blank + record.Marker;
    if (lineEnd == QLatin1String("ENTER"))
        texts << EnterKey;
    return texts;
}

quint32 KeySymOf(char32_t c) {
    constexpr quint32 Return = 0xff0d;
    constexpr quint32 UnicodeKeySyms = 0x1000000;
    if (c == EnterKey.front().unicode())
        return Return;
    return c < 0x100 ? static_cast<quint32>(c) : UnicodeKeySyms | static_cast<quint32>(c);
}

QList<quint32> KeySymsOf(const QString& text) {
    QList<quint32> symbols;
    for (char32_t c : text.toUcs4()) {
        const bool control = c < 0x20 || (c >= 0x7f && c < 0xa0);
        if (!control || c == EnterKey.front().unicode())
            symbols << KeySymOf(c);
    }
    return symbols;
}
