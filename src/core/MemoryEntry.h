#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The entries of the memory list of instruments with a memory directory (cmbSpeicher).

// The prefix ("S"/"M"), the name right-aligned in 5 and "(" count ")" right-aligned in 6.
QString MemoryEntryText(const QString& prefix, const QString& name, int count);

struct MemoryEntry {
    QString Name;
    int Count = 0; // 0 when the entry holds no "(" count ")"
};

// Name (between the prefix and "(", trimmed) and count (between "(" and ")") of an entry.
// Nothing for an entry without a blank: that names no memory.
std::optional<MemoryEntry> ParseMemoryEntry(const QString& entry, int prefixLength);

// The place in names of the memory whose name is the same number as name; nothing when name is
// no number or no memory has that number.
std::optional<int> FindMemoryByNumber(const QStringList& names, const QString& name);
