#include "core/MemoryNames.h"

#include "core/TextTable.h"

MemoryNames MemoryNamesFor(const QString& memoryLayout, qint16 memoryNumber,
                           const QString& modelCode, const MemoryNames& current,
                           const TextTable& texts, int languageIndex) {
    const QString layout = memoryLayout.trimmed();
    MemoryNames names = current;
    if (layout == QLatin1String("2N")) {
        names = {texts.message(languageIndex, 6), texts.message(languageIndex, 7)};
    } else if (layout == QLatin1String("2E")) {
        names = {texts.message(languageIndex, 15), texts.message(languageIndex, 11)};
    } else if (layout == QLatin1String("1")) {
        names.First = texts.message(languageIndex, 32);
    } else if (layout == QLatin1String("3") || layout == QLatin1String("4")) {
        if (memoryNumber == 96 && modelCode.startsWith(QLatin1String("CP")))
            names.First = QStringLiteral("Scan ");
        else
            names.First =
                texts.message(languageIndex, 32) + QLatin1Char(' ') + QString::number(memoryNumber);
    }
    return names;
}
