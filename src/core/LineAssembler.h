#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

// Cuts the bytes the instrument sends, in whatever pieces they arrive, into lines. A line ends
// with LF; the CR before it is removed. The end-of-transmission character 4 and the
// not-available character 25 are reported where they occur and never become part of a line.
// A line that grows beyond the limit without ending is dropped up to its end and reported once,
// so a talking instrument without line ends cannot fill memory or hand on half lines.
class LineAssembler {
public:
    static constexpr qsizetype DefaultMaxLineBytes = 4096;

    enum class EventKind { Line, EndOfTransmission, NotAvailable, LineTooLong };
    struct Event {
        EventKind Kind = EventKind::Line;
        // Line: the decoded line without CR LF. LineTooLong: the start of the dropped text.
        QString Text;
        bool operator==(const Event&) const = default;
    };

    explicit LineAssembler(qsizetype maxLineBytes = DefaultMaxLineBytes);

    // Events in the order their bytes arrived.
    std::vector<Event> feed(QByteArrayView bytes);
    // Forgets an unfinished line.
    void clear();
    qsizetype pendingBytes() const { return m_pending.size(); }

private:
    qsizetype m_maxLineBytes;
    QByteArray m_pending;
    bool m_dropping = false;
};
