#include "link/serial/PortInfo.h"

#include <QStringList>

namespace {

const SerialPortEntry* findByName(const QList<SerialPortEntry>& entries, const QString& name) {
    for (const SerialPortEntry& entry : entries) {
        if (entry.Name == name)
            return &entry;
    }
    return nullptr;
}

QString oneLine(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

} // namespace

QString PortTypeText(const SerialPortEntry& entry) {
    const bool bluetooth =
        entry.SystemName.startsWith(QLatin1String("rfcomm")) ||
        entry.Description.contains(QLatin1String("Bluetooth"), Qt::CaseInsensitive);
    return (bluetooth ? QStringLiteral("BTH ") : QStringLiteral("VCP ")) + entry.SystemName;
}

QString PortInfoText(const SerialPortEntry& entry, const QString& reason) {
    QStringList lines{
        QStringLiteral("NAME=") + entry.Name,
        QStringLiteral("CHECK=") + (entry.Accessible ? QLatin1Char('1') : QLatin1Char('0')),
        QStringLiteral("TYPE=") + oneLine(PortTypeText(entry)),
        QStringLiteral("DEVICE=") + oneLine(entry.Device),
        QStringLiteral("DESCRIPTION=") + oneLine(entry.Description),
        QStringLiteral("PINNED=") + (entry.Pinned ? QLatin1Char('1') : QLatin1Char('0')),
    };
    if (!entry.Accessible)
        lines.append(QStringLiteral("REASON=") + oneLine(reason));
    return lines.join(QLatin1Char('\n'));
}

QString PortInfoValue(const QString& info, const QString& key) {
    const QString prefix = key.trimmed().toUpper() + QLatin1Char('=');
    for (const QStringView line : QStringView(info).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).toString();
    }
    return {};
}

QList<PortChange> PortChanges(const QList<SerialPortEntry>& before,
                              const QList<SerialPortEntry>& after) {
    QList<PortChange> gone;
    QList<PortChange> came;
    for (const SerialPortEntry& old : before) {
        const SerialPortEntry* now = findByName(after, old.Name);
        if (!now || now->Device != old.Device)
            gone.append({PortUnplugged, old.Name});
    }
    for (const SerialPortEntry& now : after) {
        const SerialPortEntry* old = findByName(before, now.Name);
        const bool replugged = old && old->Device != now.Device;
        if (!old || replugged)
            came.append({PortPlugged, now.Name});
        if (now.Accessible && (!old || replugged || !old->Accessible))
            came.append({PortReady, now.Name});
    }
    return gone + came;
}
