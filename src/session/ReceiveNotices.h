#pragma once

#include <functional>
#include <vector>

#include "session/CountedNotices.h"

struct AppState;

// The messages that received values can raise without end; each is counted on its own
// (CountedNotices, numbered in this order).
enum ReceiveNotice : int {
    RefusedLineNotice, // "Fill Messdaten: ": a line that could not be stored
    LimitNotice,       // "Maximale Werteanzahl überschritten 5000": a value beyond the table
    OnlineFileNotice,  // "Online.mes" could not be written
    ProjectDataNotice, // Projektdaten.ini could not be read for a report
    KeyEventGoneNotice // the program that key events were typed into has ended
};

// How each kind of ReceiveNotice reads, in the language the state holds at the time.
std::vector<CountedNotices::KindLook> ReceiveNoticeKinds(const AppState& state);
