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
