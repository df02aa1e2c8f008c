#include "core/MemoryDownload.h"

#include "core/InstrumentText.h"

MemoryAnswer SplitMemoryAnswer(const QString& responseText) {
    static const QString lineEnd = QStringLiteral("\r\n");
    static const QString startLine{QChar(StartOfText)};
    static const QString fourBlanks = QStringLiteral("    ");

    MemoryAnswer answer;
    bool started = false;
    qsizetype from = 0;
    for (qsizetype end = responseText.indexOf(lineEnd); end >= 0;
         from = end + lineEnd.size(), end = responseText.indexOf(lineEnd, from)) {
        const QStringView line = QStringView(responseText).mid(from, end - from);
        if (line == startLine) {
            started = true;
            continue;
        }
        if (!started || line.isEmpty() || line.startsWith(fourBlanks))
            continue;
        if (answer.Lines.size() == MemoryLineLimit) {
            answer.LimitExceeded = true;
            break;
        }
        answer.Lines.append(line.toString());
    }
    return answer;
}
