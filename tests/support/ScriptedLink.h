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
    // The next exchange asking this ("identify", "read FE", ...) waits, as for a slow answer,
    // until answerHeld() or cancel.
    QString hold;

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
    // Sends a line as an instrument does that was never asked to, online or not.
    void sendUnasked(const QString& line);
    // The held exchange's answer arrives from the event loop, unless the exchange ended first.
    void answerHeld();
    void setState(State state);

signals:
    // An exchange asking this is held (see hold).
    void holding(const QString& request);

private:
    bool run(const QString& request, const QString& answer);
    void complete(quint64 number, const QString& answer);

    State m_state = State::NotConnected;
    bool m_online = false;
    quint64 m_number = 0; // exchanges begun
    quint64 m_heldNumber = 0;
    QString m_heldAnswer;
};
