#include "InstrumentSimulator.h"

#include "core/InstrumentText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace {

// Online values wait while nobody reads the port; an instrument does not pile them up forever.
constexpr qsizetype MaxQueuedOnlineBytes = 4096;

} // namespace

InstrumentSimulator::InstrumentSimulator(QObject* parent)
    : QObject(parent), m_onlineTimer(new QTimer(this)), m_paceTimer(new QTimer(this)) {
    // A chunk every 10 ms, as a UART's FIFO hands bytes on.
    m_paceTimer->setInterval(10);
    connect(m_paceTimer, &QTimer::timeout, this, &InstrumentSimulator::flush);
    connect(m_onlineTimer, &QTimer::timeout, this, [this] {
        if (m_output.size() < MaxQueuedOnlineBytes)
            sendOnlineValue();
    });
}

InstrumentSimulator::~InstrumentSimulator() {
    unplug();
}

QString InstrumentSimulator::start(const QString& modelCode, const SimOptions& options) {
    unplug();
    const std::optional<SimModel> model = SimModelFor(modelCode);
    if (!model) {
        m_error = QStringLiteral("no serial instrument has the model code \"%1\"").arg(modelCode);
        return {};
    }
    m_model = *model;
    m_options = options;
    if (options.Mean)
        m_model.Mean = *options.Mean;
    if (options.Spread)
        m_model.Spread = *options.Spread;
    if (!options.Unit.isEmpty())
        m_model.Unit = options.Unit;
    if (!options.IdentLine.isEmpty())
        m_model.IdentLine = options.IdentLine;
    m_random.seed(options.Seed);
    m_onlineNumber = 0;
    m_output.clear();
    m_commands.clear();

    if (!m_terminal.open()) {
        m_error = m_terminal.errorString();
        return {};
    }
    if (!makeLink()) {
        m_terminal.close();
        return {};
    }
    m_readNotifier = new QSocketNotifier(m_terminal.masterFd(), QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &InstrumentSimulator::onReadable);
    m_writeNotifier = new QSocketNotifier(m_terminal.masterFd(), QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &InstrumentSimulator::flush);

    fillMemories(options.FeCount, options.NfeCount);
    setOnlineInterval(options.OnlineEveryMs);
    m_error.clear();
    return m_terminal.devicePath();
}

bool InstrumentSimulator::makeLink() {
    m_linkPath.clear();
    if (m_options.PortsFolder.isEmpty() || m_options.ComNumber <= 0)
        return true;
    const QString path =
        QDir(m_options.PortsFolder).filePath(QStringLiteral("COM%1").arg(m_options.ComNumber));
    if (!QDir().mkpath(m_options.PortsFolder)) {
        m_error = QStringLiteral("cannot create the folder %1").arg(m_options.PortsFolder);
        return false;
    }
    const QFileInfo existing(path);
    if (existing.isSymLink())
        QFile::remove(path);
    else if (existing.exists()) {
        m_error = QStringLiteral("%1 exists and is no link").arg(path);
        return false;
    }
    if (!QFile::link(m_terminal.devicePath(), path)) {
        m_error = QStringLiteral("cannot create the link %1").arg(path);
        return false;
    }
    m_linkPath = path;
    return true;
}

void InstrumentSimulator::removeLink() {
    // Only our own link: another simulator may have taken the number since.
    if (!m_linkPath.isEmpty() && QFileInfo(m_linkPath).symLinkTarget() == devicePath())
        QFile::remove(m_linkPath);
    m_linkPath.clear();
}

void InstrumentSimulator::unplug() {
    m_onlineTimer->stop();
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    removeLink();
    m_terminal.close();
    m_output.clear();
}

void InstrumentSimulator::fillMemories(int feCount, int nfeCount) {
    const QDateTime start =
        m_options.StampStart.isNull()
            ? QDateTime::currentDateTime().addSecs(-7LL * std::max(feCount, nfeCount))
            : m_options.StampStart;
    const int counts[2] = {m_model.MemoryCount >= 1 ? std::max(0, feCount) : 0,
                           m_model.MemoryCount >= 2 ? std::max(0, nfeCount) : 0};
    for (int memory = 0; memory < 2; ++memory)
        m_memories[memory] = SimReadings(m_model, memory + 1, counts[memory], m_random, start);
    QList<SimReading>& fe = m_memories[0];
    for (qsizetype i = 0; i < std::min(fe.size(), m_options.FeValues.size()); ++i)
        fe[i].Value = m_options.FeValues[i];
}

QString InstrumentSimulator::lineText(const SimReading& reading) const {
    return SimMeasurementLine(reading, m_model.Device.DecimalsMode);
}

QStringList InstrumentSimulator::memoryLines(int memory) const {
    QStringList lines;
    if (memory < 1 || memory > 2)
        return lines;
    for (const SimReading& reading : m_memories[memory - 1])
        lines.append(lineText(reading));
    return lines;
}

QString InstrumentSimulator::sendOnlineValue() {
    SimReading reading = SimReadings(m_model, 1, 1, m_random, QDateTime::currentDateTime()).first();
    reading.Number = ++m_onlineNumber;
    const QString line = lineText(reading);
    send(line + QStringLiteral("\r\n"));
    return line;
}

void InstrumentSimulator::setOnlineInterval(int intervalMs) {
    if (intervalMs > 0)
        m_onlineTimer->start(intervalMs);
    else
        m_onlineTimer->stop();
}

void InstrumentSimulator::sendRaw(const QByteArray& bytes) {
    m_output.append(bytes);
    flush();
}

void InstrumentSimulator::send(const QString& text) {
    sendRaw(EncodeInstrumentText(text, m_options.Utf8));
}

void InstrumentSimulator::flush() {
    if (!m_terminal.isOpen()) {
        m_output.clear();
        return;
    }
    qint64 allowed = m_output.size();
    if (m_options.BytesPerSecond > 0) {
        if (!m_paceTimer->isActive()) {
            m_paceClock.start();
            m_pacedBytes = 0;
            m_paceTimer->start();
        }
        allowed = std::min<qint64>(
            allowed, m_paceClock.elapsed() * m_options.BytesPerSecond / 1000 - m_pacedBytes);
        if (m_output.isEmpty())
            m_paceTimer->stop();
    }
    while (!m_output.isEmpty() && allowed > 0) {
        const ssize_t written =
            ::write(m_terminal.masterFd(), m_output.constData(), static_cast<size_t>(allowed));
        if (written > 0) {
            m_output.remove(0, written);
            allowed -= written;
            m_pacedBytes += written;
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        break; // full until the other side reads, or an error: try again when writable
    }
    // A paced sender is driven by its timer, not by the terminal being writable.
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_output.isEmpty() && m_options.BytesPerSecond == 0);
}

void InstrumentSimulator::onReadable() {
    char buffer[1024];
    const ssize_t count = ::read(m_terminal.masterFd(), buffer, sizeof buffer);
    if (count <= 0) {
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        m_readNotifier->setEnabled(false);
        return;
    }
    for (const LineAssembler::Event& event : m_commands.feed(QByteArrayView(buffer, count))) {
        if (event.Kind == LineAssembler::EventKind::Line)
            answer(event.Text.trimmed());
    }
}

void InstrumentSimulator::answer(const QString& command) {
    emit commandReceived(command);
    if (m_options.Silent || command.isEmpty())
        return;
    if (m_options.NotAvailable) {
        sendRaw(QByteArray(1, NotAvailableChar));
        return;
    }
    if (command == QLatin1String("$zorv00$")) {
        send(SimIdentification(m_model, m_memories[0].size(), m_memories[1].size(),
                               m_options.MemoryNumber) +
             QChar(EndOfTransmission));
    } else if (command == QLatin1String("$zorv10$") || command == QLatin1String("$zorv11$")) {
        const int memory = command == QLatin1String("$zorv10$") ? 1 : 2;
        send(SimDownload(memory, memoryLines(memory)));
    }
}
