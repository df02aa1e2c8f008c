#include "link/ble/BleLink.h"

#include "link/ble/BleClient.h"
#include "ui/PlatformServices.h"

#include <QTimer>

BleLink::BleLink(BleClient* client, PlatformServices& platform, DeviceInfo& device, QObject* parent)
    : InstrumentLink(parent), m_client(client),
      m_exchange(new BleExchange(*client, platform, device, this)), m_platform(platform) {
    m_client->setParent(this);
    connect(m_exchange, &BleExchange::onlineLine, this, &InstrumentLink::lineReceived);
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

BleOutcome BleLink::restoreMeasure() {
    const BleOutcome outcome = m_exchange->renewMeasure();
    if (outcome.ok())
        settle(State::Connected);
    return outcome;
}

void BleLink::run(std::function<BleOutcome()> body) {
    m_cancel = false;
    beginExchange();
    // The procedures wait inside; started from the event loop, they run within the caller's wait,
    // which shows the progress and offers cancel meanwhile.
    QTimer::singleShot(0, this, [this, body = std::move(body)] {
        if (!exchangeRunning())
            return;
        const BleOutcome outcome = body();
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
}

void BleLink::identify() {
    run([this] { return m_exchange->identify(); });
}

void BleLink::readDirectory() {
    run([this] {
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

void BleLink::readMemoryAt(int index) {
    run([this, index] {
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
    BleExchange& exchange = *m_exchange;
    if (m_state == State::Connected && exchange.MeasureSubscribed) {
        exchange.BleBusy = BleExchange::Busy;
        if (exchange.UnsubMeasure())
            m_platform.waitUntil([&] { return exchange.BleBusy == 0; }, CloseUnsubscribeMs, false);
        exchange.BleBusy = 0;
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
