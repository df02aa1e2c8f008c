#include "support/LineFeeder.h"

#include "support/ScriptedLink.h"

#include <QRadioButton>

QString InstrumentLine(int number, double value, const QString& unit, const QString& marker,
                       const QDateTime& stamp) {
    QString line = QString::number(number).rightJustified(4) + QStringLiteral("  ") +
                   QString::number(value, 'f', 2).rightJustified(10) + QLatin1Char(' ') +
                   unit.leftJustified(4, QLatin1Char(' '), true) + QLatin1Char(' ') +
                   marker.leftJustified(3, QLatin1Char(' '), true);
    if (stamp.isValid())
        line += QLatin1Char(' ') + stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return line;
}

QStringList DayOfReadings() {
    const double values[] = {104.2, 98.7,  112.5, 101.3, 95.1,  108.8, 123.4, 99.6,  103.9, 110.2,
                             87.5,  105.4, 102.2, 118.9, 106.1, 100.4, 97.3,  109.7, 111.8, 76.9,
                             104.6, 107.3, 101.9, 115.2, 103.3, 99.1,  108.4, 102.7, 113.6, 105.8};
    QStringList lines;
    int n = 0;
    for (double v : values)
        lines << InstrumentLine(++n, v, QStringLiteral("µm"), QStringLiteral(" Fe"));
    return lines;
}

ScriptedLink& Script(frmTransfer& w) {
    return dynamic_cast<ScriptedLink&>(w.link());
}

void FeedDownload(frmTransfer& w, MemoryKind kind, const QStringList& lines) {
    Script(w).memories[kind] = lines;
    w.state().Kind = kind;
    w.Speicher_lesen();
    w.Focus_setzen();
}

void FeedOnline(frmTransfer& w, const QString& line) {
    Script(w).sendOnline(line);
}
