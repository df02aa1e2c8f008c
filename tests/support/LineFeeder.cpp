#include "support/LineFeeder.h"

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

void FeedDownload(frmTransfer& w, MemoryKind kind, const QStringList& lines) {
    AppState& s = w.state();
    s.Kind = kind;
    w.ClearStore();
    w.Reset_Statistic();
    w.Button_setzen_Init();
    s.Counters.CurrentIndex = 1;
    for (const QString& line : lines) {
        if (s.Counters.CurrentIndex > MeasurementStore::MaxSlot)
            break;
        w.FillMessdaten(line);
    }
}

void FeedOnline(frmTransfer& w, const QString& line) {
    w.FillMessdaten(line);
}
