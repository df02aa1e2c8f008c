#pragma once

#include "link/InstrumentLink.h"
#include "link/ble/BleOutcome.h"

class BleClient;
class BleExchange;
class PlatformServices;
struct BleIds;
struct DeviceInfo;

// The instrument behind a Bluetooth LE link: owns the client and the command exchange. The
// connect window makes the link (scan, connect, discovery) and reports it here; each exchange
// runs the exchange's procedures, whose waits are all bounded, and ends with its outcome. Every
// request to the instrument goes through an exchange of this link, so none can interleave with
// another. Online values that arrive during an exchange are held and handed on after it.
class BleLink : public InstrumentLink {
    Q_OBJECT
public:
    // Shutdown: how long the unsubscribe and each disconnect are waited for.
    static constexpr int CloseUnsubscribeMs = 1000;
    static constexpr int CloseDisconnectMs = 900;
    static constexpr int CloseSettleMs = 1000;
    // Online values held during one exchange; more are dropped and counted.
    static constexpr int HeldLinesLimit = 5000;

    // Takes the client.
    BleLink(BleClient* client, PlatformServices& platform, DeviceInfo& device,
            QObject* parent = nullptr);

    BleClient& client() { return *m_client; }
    // The services and characteristics the connect window discovered.
    BleIds& ids();
    bool measureSubscribed() const;
    // The client reported the link gone: the subscription went with it.
    void forgetSubscription();
    void setBusyTimeoutMs(int ms);
    // The program shuts the link down; a drop now is no loss.
    bool closing() const { return m_closing; }

    // The connect window reports the link up with both services found, or given up.
    void setConnected(bool connected);
    // The connect window was closed without a link: a scan or a connection under way ends.
    void giveUp();
    // The link dropped on its own; the client brings it back by itself.
    void markLost();
    // Notifications asked for anew once the link is back; done, the link counts as connected
    // again.
    bool restoreMeasure();
    // The clock dialog's requests; clockReply() holds the end of the last one.
    bool startClockRequest(ClockRequest request);
    const ClockReply& clockReply() const { return m_clockReply; }

    void setSettingsFolder(const QString&) override {}
    void setLanguageIndex(int languageIndex) override;
    State state() const override { return m_state; }
    // Shows the state again: the link is made by the connect window, not here.
    void checkLink(int portNumber) override;
    void closeLink() override;
    QStringList linkChoices(const std::function<void(int, int)>&) override { return {}; }
    bool identify() override;
    // Memories are read by their place in the directory.
    bool readMemory(MemoryKind, int) override { return notOffered("readMemory"); }
    // Notifications come whenever subscribed; the exchanges switch them off and on.
    bool setOnline(bool, bool) override { return true; }
    void cancel() override { m_cancel = true; }
    bool readDirectory() override;
    bool readMemoryAt(int index) override;
    bool sendsUnasked() const override { return true; }

private:
    bool run(const char* what, std::function<BleOutcome()> body);
    void settle(State state);
    void onlineValue(const QString& line);
    void handOnHeld();

    BleClient* m_client;
    BleExchange* m_exchange;
    PlatformServices& m_platform;
    State m_state = State::NotConnected;
    bool m_cancel = false;
    bool m_closing = false;
    bool m_disconnected = false; // the client reported the link closed
    quint64 m_exchangeNumber = 0;
    QStringList m_held; // online values that came during the running exchange
    qint64 m_heldDropped = 0;
    ClockReply m_clockReply;
};
