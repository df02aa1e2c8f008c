#pragma once

#include "link/InstrumentLink.h"
#include "link/ble/BleExchange.h"

class BleClient;
class PlatformServices;
struct DeviceInfo;

// The instrument behind a Bluetooth LE link: owns the client and the command exchange. The
// connect window makes the link (scan, connect, discovery) and reports it here; each exchange
// runs the exchange's procedures, whose waits are all bounded, and ends with its outcome.
class BleLink : public InstrumentLink {
    Q_OBJECT
public:
    // Shutdown: how long the unsubscribe and each disconnect are waited for.
    static constexpr int CloseUnsubscribeMs = 1000;
    static constexpr int CloseDisconnectMs = 900;
    static constexpr int CloseSettleMs = 1000;

    // Takes the client.
    BleLink(BleClient* client, PlatformServices& platform, DeviceInfo& device,
            QObject* parent = nullptr);

    BleClient& client() { return *m_client; }
    BleExchange& exchange() { return *m_exchange; }
    // The program shuts the link down; a drop now is no loss.
    bool closing() const { return m_closing; }

    // The connect window reports the link up with both services found, or given up.
    void setConnected(bool connected);
    // The connect window was closed without a link: a scan or a connection under way ends.
    void giveUp();
    // The link dropped on its own; the client brings it back by itself.
    void markLost();
    // Notifications asked for anew once the link is back; the link counts as connected again.
    BleOutcome restoreMeasure();

    void setSettingsFolder(const QString&) override {}
    void setLanguageIndex(int languageIndex) override;
    State state() const override { return m_state; }
    // Shows the state again: the link is made by the connect window, not here.
    void checkLink(int portNumber) override;
    void closeLink() override;
    QStringList linkChoices(const std::function<void(int, int)>&) override { return {}; }
    void identify() override;
    // Memories are read by their place in the directory.
    void readMemory(MemoryKind, int) override { notOffered(); }
    // Notifications come whenever subscribed; the exchanges switch them off and on.
    void setOnline(bool, bool) override {}
    void cancel() override { m_cancel = true; }
    void readDirectory() override;
    void readMemoryAt(int index) override;
    bool sendsUnasked() const override { return true; }

private:
    void run(std::function<BleOutcome()> body);
    void settle(State state);

    BleClient* m_client;
    BleExchange* m_exchange;
    PlatformServices& m_platform;
    State m_state = State::NotConnected;
    bool m_cancel = false;
    bool m_closing = false;
    bool m_disconnected = false; // the client reported the link closed
};
