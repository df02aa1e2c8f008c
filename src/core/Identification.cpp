#include "core/Identification.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// A 16-bit integer as the instrument writes counts and memory numbers; fractions round half to
// even. Nothing for text that is no number or lies outside the range.
std::optional<qint16> readInteger(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString refinedIdent(const QString& firstLine) {
    const qsizetype dash = firstLine.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return firstLine;
    return firstLine.left(dash) + firstLine.mid(dash + 1, 1);
}

// A first line without "-", or with nothing printable around it, names no refined model; the
// configured code then stays.
bool isModelCode(const QString& text) {
    return !text.trimmed().isEmpty() &&
           std::none_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
}

// One keyed line of the answer: it starts at `start`; its value runs from the first ":" at or
// after `start` to the end of the line holding that ":", as the instrument's keys are read.
struct KeyedLine {
    QString text;
    QString key;   // text between the first character and the ":" (the memory number of "M")
    QString value; // trimmed
};

KeyedLine keyedLine(const QString& answer, qsizetype start, qsizetype end) {
    KeyedLine line;
    line.text = answer.mid(start, end - start);
    const qsizetype colon = answer.indexOf(QLatin1Char(':'), start);
    if (colon < 0) {
        line.key = line.text.mid(1);
        return line;
    }
    qsizetype valueEnd = answer.indexOf(LineEnd, colon);
    if (valueEnd < 0)
        valueEnd = answer.size();
    line.key = answer.mid(start + 1, colon - start - 1);
    line.value = answer.mid(colon + 1, valueEnd - colon - 1).trimmed();
    return line;
}

QString problem(int lineNumber, const QString& line, const char* what) {
    return QStringLiteral("line %1 \"%2\": %3").arg(lineNumber).arg(line, QLatin1String(what));
}

void takeMemoryLine(const KeyedLine& line, int lineNumber, DeviceInfo& info,
                    QStringList& problems) {
    const std::optional<qint16> memory = readInteger(line.key);
    if (!memory) {
        problems.append(problem(lineNumber, line.text, "memory number is not a number"));
        return;
    }
    const QString layout = info.MemoryLayout.trimmed();
    const bool firstCount =
        layout == QLatin1String("1") || layout == QLatin1String("3") || *memory == 1;
    const bool secondCount = layout.startsWith(QLatin1Char('2')) && *memory == 2;
    std::optional<qint16> count;
    if (firstCount || secondCount) {
        count = readInteger(line.value);
        if (!count) {
            problems.append(problem(lineNumber, line.text, "count is not a number"));
            return;
        }
    }
    info.MemoryNumber = *memory;
    if (firstCount)
        info.FECount = *count;
    if (secondCount)
        info.NFECount = *count;
}

} // namespace

QStringList ApplyIdentification(const QString& answer, DeviceInfo& info) {
    QStringList problems;
    qsizetype start = 0;
    qsizetype end = answer.indexOf(LineEnd);
    if (end < 0)
        end = answer.size();

    const QString firstLine = answer.left(end);
    info.IdentLine = refinedIdent(firstLine);
    if (info.ModelCode == QLatin1String("DP") && firstLine.contains(QLatin1Char('-')) &&
        isModelCode(info.IdentLine))
        info.ModelCode = info.IdentLine;

    for (int lineNumber = 2; end < answer.size(); ++lineNumber) {
        start = end + LineEnd.size();
        end = answer.indexOf(LineEnd, start);
        if (end < 0)
            end = answer.size();
        const QStringView head =
            QStringView(answer).mid(start, std::min<qsizetype>(2, end - start));
        if (head.isEmpty())
            continue;
        const bool memoryLine = head.startsWith(QLatin1Char('M'));
        const bool known = memoryLine || head == QLatin1String("VD") ||
                           head == QLatin1String("AD") || head == QLatin1String("PT") ||
                           head == QLatin1String("VP");
        if (!known)
            continue;
        const KeyedLine line = keyedLine(answer, start, end);
        if (head == QLatin1String("VD"))
            info.VD = line.value;
        if (memoryLine)
            takeMemoryLine(line, lineNumber, info, problems);
        if (head == QLatin1String("AD"))
            info.AD = line.value;
        if (head == QLatin1String("PT"))
            info.PT = line.value;
        if (head == QLatin1String("VP"))
            info.VP = line.value;
    }
    return problems;
}

void RefineMemoryLayout(DeviceInfo& info) {
    if (info.ModelCode.startsWith(QLatin1String("FE")))
        info.MemoryLayout = QStringLiteral("2E");
    else if (info.ModelCode.startsWith(QLatin1String("FN")))
        info.MemoryLayout = QStringLiteral("2N");
}
