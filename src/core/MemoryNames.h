#pragma once

#include <QString>

class TextTable;

struct MemoryNames {
    QString First;  // caption of optFE
    QString Second; // caption of optNFE
};

// The names of the instrument's memories after a connect, by memory layout. Layouts without a
// name of their own ("2" before the identification refines it, "X") keep the given names.
MemoryNames MemoryNamesFor(const QString& memoryLayout, qint16 memoryNumber,
                           const QString& modelCode, const MemoryNames& current,
                           const TextTable& texts, int languageIndex);
