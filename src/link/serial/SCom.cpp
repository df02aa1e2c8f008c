#include "link/serial/SCom.h"

#include "core/InstrumentText.h"
#include "link/serial/PortWatch.h"

#include <QFileInfo>
#include <QPointer>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTimer>

namespace {

// PortInfo is asked for 200 port names in a row at start-up; one scan serves them all.
constexpr qint64 ScanReuseMs = 500;

} // namespace

SCom::SCom(QObject* parent)
    : QObject(parent), m_port(new QSerialPort(this)), m_watch(new PortWatch(this)),
      m_batchPause(new QTimer(this)) {
    m_lineSettings = *ParseLineSettings(m_settingsText);
    m_batchPause->setSingleShot(true);
    m_batchPause->setInterval(BatchPauseMs);
    connect(m_batchPause, &QTimer::timeout, this, &SCom::resumeReading);
    connect(m_port, &QSerialPort::readyRead, this, &SCom::onReadyRead);
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // A vanished device shows as a resource error, a hung-up terminal as endless read errors.
        if ((error == QSerialPort::ResourceError || error == QSerialPort::ReadError) &&
            m_port->isOpen())
            loseLink();
    });
    connect(m_watch, &PortWatch::changed, this, &SCom::watchPorts);
    primeWatch();
}

SCom::~SCom() = default;

void SCom::setAppDataPath(const QString& appDataPath) {
    m_portsFolder = PortsFolder(appDataPath);
    m_watch->setPortsFolder(m_portsFolder);
    primeWatch();
}

// Ports present when watching starts are not news.
void SCom::primeWatch() {
    m_watchedPorts = freshPorts(true);
}

bool SCom::setCommPort(int number) {
    if (m_port->isOpen())
        return fail(ErrorPortAlreadyOpen, say("Der Port ist offen; erst schließen.",
                                              "The port is open; close it first."));
    if (number < 1 || number > MaxPortNumber)
        return fail(ErrorInvalidPort,
                    say("Ungültige Portnummer %1.", "Invalid port number %1.").arg(number));
    m_commPort = number;
    return true;
}

bool SCom::setSettings(const QString& settings) {
    const std::optional<LineSettings> parsed = ParseLineSettings(settings);
    if (!parsed)
        return fail(ErrorInvalidSettings, say("Ungültige Schnittstellenparameter \"%1\".",
                                              "Invalid line settings \"%1\".")
                                              .arg(settings));
    m_settingsText = settings;
    m_lineSettings = *parsed;
    if (m_port->isOpen())
        applyLineSettings();
    return true;
}

bool SCom::setHandshaking(int handshaking) {
    if (!FlowControlFor(handshaking))
        return fail(ErrorInvalidSettings,
                    say("Ungültiges Handshaking %1.", "Invalid handshaking %1.").arg(handshaking));
    m_handshaking = handshaking;
    if (m_port->isOpen())
        applyLineSettings();
    return true;
}

void SCom::applyLineSettings() {
    m_port->setBaudRate(m_lineSettings.BaudRate);
    m_port->setParity(m_lineSettings.Parity);
    m_port->setDataBits(m_lineSettings.DataBits);
    m_port->setStopBits(m_lineSettings.StopBits);
    m_port->setFlowControl(*FlowControlFor(m_handshaking));
}

bool SCom::PortOpen() const {
    return m_port->isOpen();
}

bool SCom::setPortOpen(bool open) {
    if (!open) {
        closePort();
        return true;
    }
    if (m_port->isOpen())
        return fail(ErrorPortAlreadyOpen,
                    say("Der Port ist schon offen.", "The port is already open."));

    const QString name = QStringLiteral("COM%1").arg(m_commPort);
    const SerialPortEntry* entry = nullptr;
    for (const SerialPortEntry& port : freshPorts(true)) {
        if (port.Number == m_commPort)
            entry = &port;
    }
    if (!entry)
        return fail(ErrorDeviceUnavailable,
                    OpenProblemText(OpenProblem::NotPresent, name, {}, {}, {}, m_languageIndex));

    const QString device = entry->Device;
    m_port->setPortName(device);
    applyLineSettings();
    if (!m_port->open(QIODevice::ReadWrite)) {
        const PortAccess access = ProbeAccess(device);
        const OpenProblem problem = ClassifyOpenFailure(m_port->error(), access);
        return fail(OpenProblemNumber(problem),
                    OpenProblemText(problem, name, device, access.Group, m_port->errorString(),
                                    m_languageIndex));
    }
    ++m_session;
    m_device = device;
    resetReceive();
    m_errorNumber = 0;
    m_errorText.clear();
    return true;
}

void SCom::closePort() {
    if (m_port->isOpen())
        m_port->close();
    ++m_session;
    m_device.clear();
    resetReceive();
}

void SCom::resetReceive() {
    m_assembler.clear();
    m_incoming.clear();
    m_lines.clear();
    m_receivedTriggers.clear();
    m_dropReported = false;
    // The port made a read notifier of its own for this opening.
    m_batches = false;
    m_batchPause->stop();
    m_readNotifier.clear();
}

void SCom::setReceiveBatches(bool on) {
    m_batches = on;
    if (!on && m_batchPause->isActive()) {
        m_batchPause->stop();
        resumeReading();
    }
}

// The port reads through a socket notifier of its own; while that is off, arriving bytes wait
// in the system and do not wake the program. Without such a notifier nothing is paused.
void SCom::pauseReading() {
    if (!m_readNotifier) {
        for (QSocketNotifier* notifier :
             m_port->findChildren<QSocketNotifier*>(Qt::FindDirectChildrenOnly)) {
            if (notifier->type() == QSocketNotifier::Read && notifier->isEnabled())
                m_readNotifier = notifier;
        }
    }
    if (!m_readNotifier)
        return;
    m_readNotifier->setEnabled(false);
    m_batchPause->start();
}

void SCom::resumeReading() {
    if (m_readNotifier && m_port->isOpen())
        m_readNotifier->setEnabled(true);
}

QString SCom::say(const char* german, const char* english) const {
    return QString::fromUtf8(m_languageIndex == 0 ? german : english);
}

bool SCom::fail(int number, const QString& text) {
    m_errorNumber = number;
    m_errorText = text;
    return false;
}

QString SCom::Input() {
    QString text;
    for (const QString& line : takeLines())
        text += line + QStringLiteral("\r\n");
    return text;
}

QStringList SCom::takeLines() {
    m_dropReported = false;
    return std::exchange(m_lines, {});
}

bool SCom::Output(const QString& text) {
    if (!m_port->isOpen())
        return fail(ErrorPortNotOpen, say("Der Port ist nicht offen.", "The port is not open."));
    const QByteArray bytes = EncodeInstrumentText(text);
    return m_port->write(bytes) == bytes.size();
}

void SCom::discardInput() {
    if (m_port->isOpen()) {
        m_port->clear(QSerialPort::Input);
        // Bytes already fetched by Qt but not yet announced would otherwise still come.
        m_port->readAll();
    }
    resetReceive();
}

void SCom::discardOutput() {
    if (m_port->isOpen())
        m_port->clear(QSerialPort::Output);
}

void SCom::addTrigger(char character) {
    if (!m_triggers.contains(character))
        m_triggers.append(character);
}

QByteArray SCom::TriggerData() {
    if (m_receivedTriggers.isEmpty())
        return {};
    const QByteArray first = m_receivedTriggers.left(1);
    m_receivedTriggers.remove(0, 1);
    return first;
}

void SCom::onReadyRead() {
    const QByteArray bytes = m_port->readAll();
    if (m_batches)
        pauseReading();
    for (LineAssembler::Event& event : m_assembler.feed(bytes))
        m_incoming.push_back(std::move(event));
    // Handlers run from the event loop, not inside the port's notification: the port announces
    // no new bytes while its own readyRead is still running, so a handler waiting there for
    // the end of an answer would wait for ever.
    if (!m_incoming.empty() && !m_deliveryPosted) {
        m_deliveryPosted = true;
        QMetaObject::invokeMethod(this, &SCom::deliver, Qt::QueuedConnection);
    }
}

// Events are taken from the front one at a time, so a handler that waits in a nested event loop
// lets newer bytes be delivered behind the ones already handed on, never before them.
void SCom::deliver() {
    m_deliveryPosted = false;
    const QPointer<SCom> alive(this);
    while (alive && !m_incoming.empty()) {
        LineAssembler::Event event = std::move(m_incoming.front());
        m_incoming.pop_front();
        switch (event.Kind) {
        case LineAssembler::EventKind::Line:
            m_lines.append(std::move(event.Text));
            if (m_lines.size() > MaxWaitingLines) {
                m_lines.remove(0, m_lines.size() - MaxWaitingLines);
                if (!m_dropReported) {
                    m_dropReported = true;
                    emit ReceiveProblem(say(
                        "Empfangene Zeilen wurden nicht gelesen; die ältesten wurden verworfen.",
                        "Received lines were not read; the oldest were dropped."));
                }
            }
            if (alive &&
                (m_incoming.empty() || m_incoming.front().Kind != LineAssembler::EventKind::Line))
                raise(CommEventReceive);
            break;
        case LineAssembler::EventKind::EndOfTransmission:
        case LineAssembler::EventKind::NotAvailable: {
            const char trigger = event.Kind == LineAssembler::EventKind::EndOfTransmission
                                     ? EndOfTransmission
                                     : NotAvailableChar;
            if (m_triggerEnable && m_triggers.contains(trigger)) {
                m_receivedTriggers.append(trigger);
                raise(CommEventTrigger);
            }
            break;
        }
        case LineAssembler::EventKind::LineTooLong:
            emit ReceiveProblem(say("Empfangene Zeile länger als %1 Zeichen verworfen: %2...",
                                    "Received line longer than %1 characters dropped: %2...")
                                    .arg(LineAssembler::DefaultMaxLineBytes)
                                    .arg(event.Text));
            break;
        }
    }
}

void SCom::raise(int code) {
    if (code == CommEventReceive && m_rThreshold == 0)
        return;
    m_commEvent = code;
    emit DataEvent();
}

void SCom::loseLink() {
    const QString device = m_device;
    closePort();
    m_errorNumber = ErrorDeviceUnavailable;
    m_errorText =
        say("Die Verbindung zu %1 ist abgebrochen.", "The link to %1 was lost.").arg(device);
    // Reported from the event loop, not from inside the port's own notification.
    const quint64 session = m_session;
    QTimer::singleShot(0, this, [this, session] {
        if (session == m_session && !m_port->isOpen())
            raise(CommEventLinkLost);
    });
}

QString SCom::PortInfo(const QString& portName) {
    const std::optional<int> number = PortNumberFromName(portName);
    if (!number)
        return {};
    for (const SerialPortEntry& entry : freshPorts(false)) {
        if (entry.Number != *number)
            continue;
        QString reason;
        if (!entry.Accessible) {
            const PortAccess access = ProbeAccess(entry.Device);
            reason =
                OpenProblemText(access.Exists ? OpenProblem::NoPermission : OpenProblem::NotPresent,
                                entry.Name, entry.Device, access.Group, {}, m_languageIndex);
        }
        return PortInfoText(entry, reason);
    }
    return {};
}

QString SCom::PortInfoValue(const QString& info, const QString& key) {
    return ::PortInfoValue(info, key);
}

QList<SerialPortEntry> SCom::ports() {
    return freshPorts(false);
}

const QList<SerialPortEntry>& SCom::freshPorts(bool force) {
    if (force || !m_scanAge.isValid() || m_scanAge.elapsed() > ScanReuseMs) {
        m_scannedPorts = ScanPorts(m_portsFolder);
        m_scanAge.start();
    }
    return m_scannedPorts;
}

void SCom::setPortWatching(bool on) {
    m_watch->setEnabled(on);
}

void SCom::watchPorts() {
    const QList<SerialPortEntry> now = freshPorts(true);
    if (m_port->isOpen() && !QFileInfo::exists(m_device))
        loseLink();
    const QList<PortChange> changes = PortChanges(m_watchedPorts, now);
    m_watchedPorts = now;
    const QPointer<SCom> alive(this);
    for (const PortChange& change : changes) {
        emit PortEvent(change.Type, change.Name);
        if (!alive)
            return;
    }
}
