#include "core/MemoryEntry.h"

#include "core/NumberFormat.h"

namespace {

std::optional<double> NumberOf(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

QString MemoryEntryText(const QString& prefix, const QString& name, int count) {
    const QString blank = QStringLiteral(" ");
    return prefix + Ausrichten(5, name, blank, false) +
           Ausrichten(6, QLatin1Char('(') + QString::number(count) + QLatin1Char(')'), blank,
                      false);
}

std::optional<MemoryEntry> ParseMemoryEntry(const QString& entry, int prefixLength) {
    if (!entry.contains(QLatin1Char(' ')))
        return std::nullopt;
    const QString rest = entry.mid(prefixLength);
    const qsizetype open = rest.indexOf(QLatin1Char('('));
    MemoryEntry parsed;
    parsed.Name = rest.left(open).trimmed();
    if (open >= 0) {
        const qsizetype close = rest.indexOf(QLatin1Char(')'), open);
        parsed.Count = rest.mid(open + 1, close < 0 ? -1 : close - open - 1).trimmed().toInt();
    }
    return parsed;
}

std::optional<int> FindMemoryByNumber(const QStringList& names, const QString& name) {
    const std::optional<double> wanted = NumberOf(name);
    if (!wanted)
        return std::nullopt;
    for (qsizetype i = 0; i < names.size(); ++i)
        if (NumberOf(names.at(i)) == wanted)
            return static_cast<int>(i);
    return std::nullopt;
}
