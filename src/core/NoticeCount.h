#pragma once

// How one kind of message fares when its cause keeps recurring (a refused line, a full table, a
// failed automatic save): one box per episode and never a second one of the kind while one is
// open; every occurrence is counted. An episode lasts until its owner settles it.
class NoticeCount {
public:
    // One more occurrence; true when it is to be shown in a box (the caller then calls closed()
    // once the box is gone).
    bool occur();
    void closed();
    // The cause went away: the next occurrence gets a box again. While a box is still waiting or
    // open, the episode ends when it is closed, so the box keeps its count.
    void settle();

    // Occurrences in this episode.
    int count() const { return m_count; }
    bool boxOpen() const { return m_boxOpen; }

private:
    int m_count = 0;
    bool m_boxOpen = false;
    bool m_shown = false;
    bool m_settleWhenClosed = false;
};
