#pragma once

#include "sim/ble/BleInstrument.h"
#include "support/ScriptedBleClient.h"

// The simulated LE instrument answering through the scripted client, in the test's own process:
// it advertises, connects, offers both services and answers every request as the real one does,
// each answer raised from the event loop.
class ScriptedBleInstrument {
public:
    static constexpr const char* Server = "C464E3123456";

    explicit ScriptedBleInstrument(ScriptedBleClient& client);

    BleInstrument instrument;
    bool silentBlocks = false;   // memory blocks are never answered
    bool silentCommands = false; // commands are taken but never answered
    bool silentDisconnect = false;
    bool subscribed = false;

    // An online value, notified when subscribed; the line sent, or nothing.
    QString notify();
    // This text notified as a measurement, subscribed or not.
    void notify(const QString& text);
    // The link drops while subscribed, as out of range.
    void drop();
    QString serviceId(const QString& uuid) const { return QStringLiteral("id-") + uuid; }

private:
    void answer(const QStringList& call);
    void value(const QString& service, const QString& characteristic, const QString& text);

    ScriptedBleClient& m_client;
};
