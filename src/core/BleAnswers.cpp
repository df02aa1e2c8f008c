#include "core/BleAnswers.h"

#include "core/MeasurementLine.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A leading number rounded half to even and held to the 16-bit range.
qint16 readCount(const QString& text) {
    const double value = std::nearbyint(ReadNumber(text.trimmed()).value_or(0));
    return static_cast<qint16>(std::clamp<double>(value, std::numeric_limits<qint16>::min(),
                                                  std::numeric_limits<qint16>::max()));
}

QString* fieldForKey(QChar key, DeviceInfo& info) {
    switch (key.unicode()) {
    case 'T':
        return &info.PT;
    case 'V':
        return &info.IdentV;
    case 'B':
        return &info.IdentB;
    case 'R':
        return &info.IdentR;
    case 'S':
        return &info.IdentS;
    case 'H':
        return &info.VD;
    case 'M':
        return &info.AD;
    default:
        return nullptr;
    }
}

QString withoutLineEnd(QString line) {
    while (line.endsWith(u'\r') || line.endsWith(u'\n'))
        line.chop(1);
    return line;
}

} // namespace

QStringList ApplyBleIdentification(const QString& value, DeviceInfo& info) {
    QStringList problems;
    const qsizetype end = value.indexOf(u'!');
    if (end < 0)
        problems.append(QStringLiteral("no \"!\" closes the identification"));
    QString rest = end < 0 ? value : value.left(end);
    qsizetype colon = rest.indexOf(u':');
    if (colon < 0)
        problems.append(QStringLiteral("the identification holds no field"));
    while (colon >= 0) {
        // The value runs to the separator before the next key; the last one has a closing
        // character after it.
        const qsizetype next = rest.indexOf(u':', colon + 2);
        const qsizetype valueEnd = next < 0 ? rest.size() - 1 : next - 2;
        const QString fieldValue =
            rest.mid(colon + 1, std::max<qsizetype>(0, valueEnd - colon - 1));
        if (colon == 0)
            problems.append(QStringLiteral("a field without key letter: \"%1\"").arg(fieldValue));
        else if (QString* field = fieldForKey(rest.at(colon - 1), info))
            *field = fieldValue;
        if (next < 0)
            break;
        rest = rest.mid(next - 1);
        colon = rest.indexOf(u':');
    }
    return problems;
}

BleDirectory ParseBleDirectory(const QString& value) {
    BleDirectory directory;
    const QStringList lines = value.split(u'\n');
    const qint16 stated = readCount(lines.first());
    if (stated < 0)
        directory.Problems.append(QStringLiteral("memory count %1 read as 0").arg(stated));
    const qint16 listed =
        static_cast<qint16>(std::min<qsizetype>(std::max<qint16>(stated, 0), lines.size() - 1));
    if (listed < stated)
        directory.Problems.append(
            QStringLiteral("%1 memories stated, %2 listed").arg(stated).arg(listed));
    directory.StorageCount = listed;
    for (int n = 1; n <= listed; ++n) {
        const QString line = withoutLineEnd(lines.at(n));
        const qsizetype comma = line.indexOf(u',');
        if (comma < 0) {
            directory.Problems.append(
                QStringLiteral("memory line without comma: \"%1\"").arg(line));
            directory.StorageNames.append(line.trimmed());
            directory.StorageSizes.append(0);
            continue;
        }
        directory.StorageNames.append(line.left(comma).trimmed());
        directory.StorageSizes.append(readCount(line.mid(comma + 1)));
    }
    return directory;
}

std::optional<QString> BleClockAnswer(const QString& value) {
    static const QString start = QStringLiteral("$glt?");
    if (!value.startsWith(start))
        return std::nullopt;
    const QString text = value.mid(start.size());
    const qsizetype end = text.indexOf(u'!');
    return withoutLineEnd(end < 0 ? text : text.left(end));
}

QString BleClockText(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy-MM-dd/HH:mm:ss"));
}

QString BleSetClockCommand(const QString& clockText) {
    return QStringLiteral("$slt?") + clockText + QStringLiteral("!\r\n");
}

BleBlockLines TakeBleBlock(const QString& block, int counter, int valueCount) {
    BleBlockLines taken;
    taken.Counter = counter;
    for (const QString& raw : block.split(u'\n')) {
        if (taken.Counter > valueCount)
            break;
        const QString line = withoutLineEnd(raw);
        if (line.size() > 15)
            taken.Lines.append(line);
        if (!line.isEmpty())
            ++taken.Counter;
    }
    return taken;
}
