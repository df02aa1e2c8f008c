#pragma once

#include <QString>

// How a waited-for exchange ended. Message is for the user, in the language set, empty when
// done, or when the client's Error event has told the user already.
struct BleOutcome {
    enum Kind { Done, NoAnswer, ClientError, CallFailed, Cancelled, Empty };
    Kind Result = Done;
    QString Message;
    bool ok() const { return Result == Done; }
};

// What the clock dialog asks of a Bluetooth LE instrument, each an exchange of its own: online
// notifications off while it shows the clock, the clock read, set to the PC's, notifications on.
enum class ClockRequest { Suspend, Read, Set, Resume };

// The end of the last clock request. Text is the clock read, or the clock text sent.
struct ClockReply {
    BleOutcome Outcome;
    QString Text;
};
