#include "link/ble/BleLink.h"

#include "link/ble/BleClient.h"
#include "link/ble/BleExchange.h"
#include "platform/PlatformServices.h"

#include <QTimer>

BleLink::BleLink(BleClient* client, PlatformServices& platform, DeviceInfo& device, QObject* parent)
    : InstrumentLink(parent), m_client(client),
      m_exchange(new BleExchange(*client, platform, device, this)), m_platform(platform) {
    m_client->setParent(this);
    connect(m_exchange, &BleExchange::onlineLine, this, &BleLink::onlineValue);
    connect(this, &InstrumentLink::exchangeFinished, this, &BleLink::handOnHeld);
    connect(m_exchange, &BleExchange::logLine, this, &InstrumentLink::problem);
    connect(m_client, &BleClient::Disconnected, this,
            [this](int statusCode, const QString& description) {
                m_disconnected = true;
                // Closed on request (also after a client error): the user connects anew.
                if (statusCode == 0 && description == QLatin1String("OK") && !m_closing &&
                    m_state != State::NotConnected)
                    settle(State::NotConnected);
            });
    connect(m_client, &BleClient::Connected, this, [this] { m_disconnected = false; });
}

void BleLink::settle(State state) {
    m_state = state;
    emit stateChanged(state);
}

BleIds& BleLink::ids() {
    return m_exchange->ids();
}

bool BleLink::measureSubscribed() const {
    return m_exchange->MeasureSubscribed;
}

void BleLink::forgetSubscription() {
    m_exchange->MeasureSubscribed = false;
}

void BleLink::setBusyTimeoutMs(int ms) {
    m_exchange->setBusyTimeoutMs(ms);
}

void BleLink::onlineValue(const QString& line) {
    if (!exchangeRunning()) {
        emit lineReceived(line);
        return;
    }
    // Whoever waits for the exchange sees its end before the values that came meanwhile.
    if (m_held.size() < HeldLinesLimit)
        m_held << line;
    else
        ++m_heldDropped;
}

void BleLink::handOnHeld() {
    if (m_heldDropped > 0)
        emit problem(QStringLiteral("Online-Werte während eines Austauschs verworfen: %1")
                         .arg(m_heldDropped));
    m_heldDropped = 0;
    const QStringList held = std::exchange(m_held, {});
    for (const QString& line : held)
        emit lineReceived(line);
}

void BleLink::setLanguageIndex(int languageIndex) {
    m_exchange->setLanguageIndex(languageIndex);
}

void BleLink::setConnected(bool connected) {
    settle(connected ? State::Connected : State::NotConnected);
}

void BleLink::giveUp() {
    m_client->ClientScanStop();
    m_client->ClientDisconnect();
    settle(State::NotConnected);
}

void BleLink::markLost() {
    settle(State::Lost);
}

void BleLink::checkLink(int) {
    if (m_state == State::Connected)
        settle(State::Connected);
}

bool BleLink::restoreMeasure() {
    return run("restoreMeasure", [this] {
        const BleOutcome outcome = m_exchange->renewMeasure();
        if (outcome.ok())
            settle(State::Connected);
        return outcome;
    });
}

bool BleLink::startClockRequest(ClockRequest request) {
    return run("clock", [this, request] {
        BleOutcome outcome;
        QString text;
        switch (request) {
        case ClockRequest::Suspend:
            outcome = m_exchange->suspendMeasure();
            break;
        case ClockRequest::Read:
            outcome = m_exchange->readClock();
            text = m_exchange->BleResponseText;
            break;
        case ClockRequest::Set:
            outcome = m_exchange->setClock();
            text = m_exchange->ClockTextSent;
            break;
        case ClockRequest::Resume:
            outcome = m_exchange->resumeMeasure();
            break;
        }
        m_clockReply = {outcome, text};
        return outcome;
    });
}

bool BleLink::run(const char* what, std::function<BleOutcome()> body) {
    if (!beginExchange(what))
        return false;
    m_cancel = false;
    const quint64 number = ++m_exchangeNumber;
    // The procedures wait inside; started from the event loop, they run within the caller's wait,
    // which shows the progress and offers cancel meanwhile.
    QTimer::singleShot(0, this, [this, number, body = std::move(body)] {
        if (!exchangeRunning() || number != m_exchangeNumber)
            return;
        const BleOutcome outcome = body();
        // Closed meanwhile, the link may run another exchange by now: this one's end is not its.
        if (!exchangeRunning() || number != m_exchangeNumber)
            return;
        switch (outcome.Result) {
        case BleOutcome::Done:
        case BleOutcome::Empty:
            finishExchange(Outcome::Done);
            return;
        case BleOutcome::Cancelled:
            finishExchange(Outcome::Cancelled);
            return;
        case BleOutcome::NoAnswer:
        case BleOutcome::ClientError:
        case BleOutcome::CallFailed:
            m_failure = outcome.Message;
            finishExchange(Outcome::NotAvailable);
            return;
        }
    });
    return true;
}

bool BleLink::identify() {
    return run("identify", [this] { return m_exchange->identify(); });
}

bool BleLink::readDirectory() {
    return run("readDirectory", [this] {
        const BleOutcome outcome = m_exchange->readDirectory();
        if (outcome.ok()) {
            const BleDirectory& d = m_exchange->Directory;
            m_memories.clear();
            for (qsizetype i = 0; i < d.StorageNames.size(); ++i)
                m_memories.append({d.StorageNames.at(i), d.StorageSizes.at(i)});
        }
        return outcome;
    });
}

bool BleLink::readMemoryAt(int index) {
    return run("readMemoryAt", [this, index] {
        const BleMemoryRead read = m_exchange->readMemory(
            index, [this](int values, int) { emit progress(values); },
            [this] { return m_cancel || m_platform.escapeHeld(); });
        for (const QString& line : read.Lines) {
            m_answer += line;
            m_answer += QStringLiteral("\r\n");
        }
        return read.Outcome;
    });
}

void BleLink::closeLink() {
    m_cancel = true;
    finishExchange(Outcome::Cancelled);
    ++m_exchangeNumber;
    if (m_state == State::Connected && m_exchange->MeasureSubscribed &&
        beginExchange("closeLink")) {
        m_exchange->suspendMeasure(CloseUnsubscribeMs);
        finishExchange(Outcome::Done);
    }
    // A lost link is closed too: the client would otherwise keep trying to bring it back.
    if (m_state != State::NotConnected) {
        m_closing = true;
        m_disconnected = false;
        m_client->ClientDisconnect();
        m_platform.waitUntil([this] { return m_disconnected; }, CloseDisconnectMs, false);
        if (!m_disconnected) {
            m_client->ClientDisconnect();
            m_platform.waitUntil([this] { return m_disconnected; }, CloseSettleMs, false);
        }
    }
    m_state = State::NotConnected;
}
