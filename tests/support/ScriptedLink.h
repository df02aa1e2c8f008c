#pragma once

#include "link/InstrumentLink.h"

#include <QMap>

// An instrument link that answers from a script instead of a port: the memories and the
// identification it holds, whether it is available, and online lines sent on request. Exchanges
// end from the event loop, as a real link's do.
class ScriptedLink : public InstrumentLink {
    Q_OBJECT
public:
    using InstrumentLink::InstrumentLink;

    QMap<MemoryKind, QStringList> memories;
    QString identification; // the answer to identify(), lines without CR LF
    QStringList choices;
    bool available = true;
    bool answers = true;  // false: exchanges wait until cancelled
    QStringList requests; // "identify", "read FE", "read NFE", "online on", "online off"
    QStringList refused;  // requests made while an exchange ran

    void setSettingsFolder(const QString&) override {}
    void setLanguageIndex(int) override {}
    State state() const override { return m_state; }
    void checkLink(int portNumber) override;
    void closeLink() override;
    QStringList linkChoices(const std::function<void(int, int)>& progress) override;
    bool identify() override;
    bool readMemory(MemoryKind kind, int expectedLines) override;
    bool setOnline(bool on, bool streamed) override;
    void cancel() override;

    // Sends a line as the instrument does in online mode; false when online is off.
    bool sendOnline(const QString& line);
    void setState(State state);

private:
    bool run(const QString& request, const QString& answer);

    State m_state = State::NotConnected;
    bool m_online = false;
};
