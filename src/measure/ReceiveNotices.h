#pragma once

// The messages that received values can raise without end; each is counted on its own
// (CountedNotices, numbered in this order).
enum ReceiveNotice : int {
    RefusedLineNotice, // "Fill Messdaten: ": a line that could not be stored
    LimitNotice,       // "Maximale Werteanzahl überschritten 5000": a value beyond the table
    OnlineFileNotice,  // "Online.mes" could not be written
    ProjectDataNotice  // Projektdaten.ini could not be read for a report
};
