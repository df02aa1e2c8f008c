#include "BleInstrument.h"

#include "core/BleAnswers.h"

namespace {

constexpr int LinesPerBlock = 5;

SimModel deltaProBle() {
    SimModel model = *SimModelFor(QStringLiteral("DP"));
    FillCapabilities(model.Device, QStringLiteral("DPB"));
    model.Device.ModelCode = QStringLiteral("DPB");
    return model;
}

} // namespace

std::optional<QList<BleMemory>> ParseBleMemories(const QString& text) {
    QList<BleMemory> memories;
    for (const QString& entry : text.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.lastIndexOf(u':');
        bool ok = false;
        const int size = colon < 0 ? -1 : entry.mid(colon + 1).toInt(&ok);
        if (!ok || size < 0 || colon == 0)
            return std::nullopt;
        memories.append({entry.left(colon), size});
    }
    return memories;
}

BleInstrument::BleInstrument(quint32 seed) : m_model(deltaProBle()), m_random(seed) {
    m_identification =
        QStringLiteral("$zorv00T:FN5;V:1.3;B:B7;R:2.0;S:0815-22;H:4.21;M:C464E3123456;!");
}

void BleInstrument::setMemories(const QList<BleMemory>& memories) {
    m_memories = memories;
    m_lines.clear();
    const QDateTime start(QDate(2026, 11, 2), QTime(8, 0));
    for (qsizetype i = 0; i < memories.size(); ++i) {
        QStringList lines;
        const QList<SimReading> readings =
            SimReadings(m_model, 1, memories.at(i).Size, m_random, start.addDays(i));
        for (const SimReading& reading : readings)
            lines.append(SimMeasurementLine(reading, m_model.Device.DecimalsMode));
        m_lines.append(lines);
    }
    m_chosen = -1;
}

QStringList BleInstrument::memoryLines(int index) const {
    return index >= 0 && index < m_lines.size() ? m_lines.at(index) : QStringList();
}

void BleInstrument::writeCommand(const QString& command) {
    m_received.append(command);
    if (command.startsWith(QLatin1String("$zorv00")))
        m_commandAnswer = m_identification;
    else if (command.startsWith(QLatin1String("$glt")))
        m_commandAnswer = QStringLiteral("$glt?") + BleClockText(clock()) + QLatin1Char('!');
    else if (command.startsWith(QLatin1String("$slt?"))) {
        const QString text = command.mid(5).section(u'!', 0, 0);
        const QDateTime set = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd/HH:mm:ss"));
        if (set.isValid())
            m_clockOffsetSecs = QDateTime::currentDateTime().secsTo(set);
        m_commandAnswer = QStringLiteral("$slt!");
    }
}

void BleInstrument::writeStorageInfo(const QString& text) {
    m_received.append(text);
    if (text == QLatin1String("-")) {
        m_released = true;
        return;
    }
    m_chosen = -1;
    for (qsizetype i = 0; i < m_memories.size(); ++i)
        if (m_memories.at(i).Name == text)
            m_chosen = static_cast<int>(i);
    m_nextLine = 0;
    m_released = false;
}

QString BleInstrument::readStorageInfo() const {
    QString text = QString::number(m_memories.size()) + QLatin1Char('\n');
    for (qsizetype i = 0; i < m_memories.size(); ++i)
        text += m_memories.at(i).Name + QLatin1Char(',') +
                QString::number(m_listed.value(int(i), m_memories.at(i).Size)) + QLatin1Char('\n');
    return text;
}

QString BleInstrument::readStorageData() {
    const QStringList lines = memoryLines(m_chosen);
    if (m_nextLine >= lines.size())
        return QString();
    const QStringList block = lines.mid(m_nextLine, LinesPerBlock);
    m_nextLine += LinesPerBlock;
    return block.join(QLatin1Char('\n'));
}

QString BleInstrument::nextOnlineLine() {
    SimReading reading = SimReadings(m_model, 1, 1, m_random, clock()).first();
    reading.Number = ++m_onlineNumber;
    return SimMeasurementLine(reading, m_model.Device.DecimalsMode);
}
