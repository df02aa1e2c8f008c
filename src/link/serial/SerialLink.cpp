#include "link/serial/SerialLink.h"

#include "core/NumberFormat.h"
#include "link/serial/SCom.h"
#include "platform/PlatformServices.h"

namespace {

constexpr int ErrorPortNotPresent = 68;
// The port list offers COM1 to COM200.
constexpr int ListedPorts = 200;
const QString IdentifyCommand = QStringLiteral("$zorv00$\r\n");
// Lines still to come below which an answer is taken as it arrives. They take longer on the wire
// than a pause of the port, so the end of an answer never waits in one.
constexpr int BatchedLinesLeft = 30;

QString MemoryCommand(MemoryKind kind) {
    return kind == MemoryKind::NFE ? QStringLiteral("$zorv11$\r\n")
                                   : QStringLiteral("$zorv10$\r\n");
}

} // namespace

SerialLink::SerialLink(PlatformServices& platform, const QString& linkKind, QObject* parent)
    : InstrumentLink(parent), m_platform(platform), m_com(new SCom(this)), m_linkKind(linkKind) {
    m_com->setObjectName(QStringLiteral("SCom1"));
    connect(m_com, &SCom::DataEvent, this, &SerialLink::DataEvent);
    connect(m_com, &SCom::PortEvent, this, &InstrumentLink::PortEvent);
    connect(m_com, &SCom::ReceiveProblem, this, &InstrumentLink::problem);
    connect(this, &InstrumentLink::exchangeFinished, this, [this] {
        m_expectedLines = 0;
        m_com->setReceiveBatches(false);
    });
}

void SerialLink::setSettingsFolder(const QString& folder) {
    m_com->setAppDataPath(folder);
}

void SerialLink::setLanguageIndex(int languageIndex) {
    m_com->setLanguageIndex(languageIndex);
}

void SerialLink::settle(State state) {
    m_state = state;
    emit stateChanged(state);
}

void SerialLink::checkLink(int portNumber) {
    m_retryCount = 0;
    Verbindungscheck(portNumber);
}

void SerialLink::closeLink() {
    finishExchange(Outcome::Cancelled);
    m_com->setPortOpen(false);
    m_state = State::NotConnected;
}

QStringList SerialLink::linkChoices(const std::function<void(int, int)>& progress) {
    QStringList choices;
    for (int i = 1; i <= ListedPorts; ++i) {
        progress(i, ListedPorts);
        const QString name = QStringLiteral("COM%1").arg(i);
        const QString info = m_com->PortInfo(name);
        if (info.isEmpty())
            continue;
        const QString type = SCom::PortInfoValue(info, QStringLiteral("TYPE"));
        const QString kind = type.left(3).toUpper();
        // A port the user pinned to a number is the instrument's port, whatever its driver says.
        const bool pinned =
            SCom::PortInfoValue(info, QStringLiteral("PINNED")) == QLatin1String("1");
        const QString& link = m_linkKind;
        if ((kind == QLatin1String("BTH") && link == QLatin1String("B")) ||
            (kind == QLatin1String("VCP") && link == QLatin1String("K")) ||
            (link == QLatin1String("K") &&
             SCom::PortInfoValue(info, QStringLiteral("NAME")) == QLatin1String("COM1")) ||
            (pinned && (link == QLatin1String("B") || link == QLatin1String("K"))))
            choices << AusrichtenL(5, name) + Ausrichten(15, type, QStringLiteral(" "), false);
    }
    return choices;
}

void SerialLink::Verbindungscheck(int portNumber) {
    m_portNumber = portNumber;
    const bool nested = m_checking;
    m_checking = true;
    int errorNumber = 0;
    bool connected = false;
    if (m_noAnswer) {
        errorNumber = -1;
    } else if (m_com->PortOpen()) {
        connected = true;
    } else {
        settle(State::Opening);
        for (int count = 0; count < 5 && !m_com->PortOpen(); ++count) {
            m_com->setSettings(QLatin1String(LineSettingsText));
            if (!m_com->setCommPort(portNumber) || !m_com->setPortOpen(true)) {
                errorNumber = m_com->ErrorNumber();
                break;
            }
        }
        if (errorNumber == 0 && m_com->PortOpen()) {
            m_notAvailable = false;
            if (m_linkKind == QLatin1String("K"))
                Geraet_pruefen();
            connected = !m_noAnswer;
            if (m_notAvailable)
                errorNumber = -1;
        }
    }
    if (errorNumber != 0)
        linkFailed(portNumber, errorNumber);
    else
        settle(connected ? State::Connected : State::NoAnswer);
    m_checking = nested;
}

void SerialLink::linkFailed(int portNumber, int errorNumber) {
    if (errorNumber > 0)
        emit linkProblem(m_com->ErrorText());
    if (!m_noAnswer) {
        while (m_retryCount < 1 && !m_noAnswer) {
            ++m_retryCount;
            Verbindungscheck(portNumber);
            if (m_state == State::Connected)
                return;
        }
    }
    // Every port that cannot be opened is "not available": a missing device (68), one in use or
    // one this user may not open; the reason went to linkProblem.
    if (m_noAnswer || errorNumber == ErrorPortNotPresent || errorNumber > 0) {
        m_noAnswer = false;
        settle(State::NotAvailable);
    }
}

void SerialLink::Geraet_pruefen() {
    if (!begin(IdentifyCommand, "Geraet_pruefen"))
        return;
    const PlatformServices::WaitResult result =
        m_platform.waitUntil([this] { return !exchangeRunning(); }, ProbeMs, true);
    if (result != PlatformServices::WaitResult::Done) {
        finishExchange(Outcome::Cancelled);
        m_noAnswer = true;
        return;
    }
    // The character 25 ("not available") leaves its mark; a real answer clears it.
    if (!m_notAvailable)
        m_noAnswer = false;
}

void SerialLink::Befehl_senden(const QString& command) {
    m_com->setSettings(QLatin1String(LineSettingsText));
    m_com->setHandshaking(0);
    m_com->discardInput();
    m_com->setRThreshold(1);
    m_com->setTriggerEnable(true);
    m_com->clearTriggers();
    m_com->addTrigger(4);
    m_com->addTrigger(25);
    m_com->Output(command);
}

bool SerialLink::begin(const QString& command, const char* what) {
    if (!beginExchange(what))
        return false;
    drop(0);
    m_online = false;
    m_lines = 0;
    m_notAvailable = false;
    Befehl_senden(command);
    return true;
}

bool SerialLink::identify() {
    return begin(IdentifyCommand, "identify");
}

bool SerialLink::readMemory(MemoryKind kind, int expectedLines) {
    if (!begin(MemoryCommand(kind), "readMemory"))
        return false;
    m_expectedLines = expectedLines;
    batchWhileFar();
    return true;
}

// A long memory comes at the wire's pace for half a minute; waking for every few bytes of it
// costs more than handling them. The last lines come as they arrive, so the table is complete
// as soon as the instrument is done.
void SerialLink::batchWhileFar() {
    m_com->setReceiveBatches(m_expectedLines - m_lines > BatchedLinesLeft);
}

void SerialLink::cancel() {
    // What still comes of the answer is dropped, as no exchange waits for it.
    finishExchange(Outcome::Cancelled);
}

bool SerialLink::setOnline(bool on, bool streamed) {
    if (!on) {
        m_online = false;
        return true;
    }
    // Online would take the running exchange's answer as values, and its discard would cut it.
    if (exchangeRunning()) {
        refuse("setOnline");
        return false;
    }
    drop(0);
    m_com->setSettings(QLatin1String(LineSettingsText));
    m_com->setHandshaking(0);
    m_com->discardInput();
    if (streamed) {
        m_com->discardOutput();
        m_com->setTriggerEnable(true);
        m_com->clearTriggers();
        m_com->addTrigger(25);
    }
    m_online = true;
    return true;
}

void SerialLink::drop(qsizetype lines) {
    // Reported once when dropping starts and with the count when an exchange takes over again,
    // so an instrument that keeps sending fills neither memory nor log.
    if (lines == 0) {
        if (m_dropped > 0)
            emit problem(
                QStringLiteral("Empfangene Zeilen ohne Anforderung verworfen: %1").arg(m_dropped));
        m_dropped = 0;
        return;
    }
    if (m_dropped == 0)
        emit problem(QStringLiteral("Empfangene Zeilen ohne Anforderung werden verworfen"));
    m_dropped += lines;
}

void SerialLink::DataEvent() {
    switch (m_com->CommEvent()) {
    case SCom::CommEventLinkLost:
        m_com->setPortOpen(false);
        settle(State::Lost);
        m_retryCount = 1;
        // A download waiting for its end must not wait for a cable that is gone.
        finishExchange(Outcome::LinkLost);
        Verbindungscheck(m_portNumber);
        return;
    case SCom::CommEventReceive: {
        const QStringList lines = m_com->takeLines();
        if (m_online) {
            // Each complete line is a value of its own, also when several came in one read.
            for (const QString& line : lines)
                emit lineReceived(line);
        } else if (exchangeRunning()) {
            for (const QString& line : lines) {
                m_answer += line;
                m_answer += QStringLiteral("\r\n");
            }
            m_lines += static_cast<int>(lines.size());
            batchWhileFar();
            emit progress(m_lines);
        } else {
            drop(lines.size());
        }
        return;
    }
    case SCom::CommEventTrigger:
        while (m_com->TriggerPending()) {
            const QByteArray trigger = m_com->TriggerData();
            if (trigger == QByteArray(1, '\x04')) {
                finishExchange(Outcome::Done);
            } else if (trigger == QByteArray(1, '\x19')) {
                m_noAnswer = true;
                m_notAvailable = true;
                m_retryCount = 0;
                finishExchange(Outcome::NotAvailable);
                // Inside a connection check the check itself shows "not available".
                if (!m_checking)
                    Verbindungscheck(m_portNumber);
                return;
            }
        }
        return;
    default:
        return;
    }
}
