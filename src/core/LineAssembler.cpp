#include "core/LineAssembler.h"

#include "core/InstrumentText.h"

namespace {

constexpr qsizetype kPreviewBytes = 40;

} // namespace

LineAssembler::LineAssembler(qsizetype maxLineBytes)
    : m_maxLineBytes(maxLineBytes > 0 ? maxLineBytes : DefaultMaxLineBytes) {}

std::vector<LineAssembler::Event> LineAssembler::feed(QByteArrayView bytes) {
    std::vector<Event> events;
    for (const char c : bytes) {
        if (c == EndOfTransmission) {
            events.push_back({EventKind::EndOfTransmission, {}});
        } else if (c == NotAvailableChar) {
            events.push_back({EventKind::NotAvailable, {}});
        } else if (c == '\n') {
            if (m_dropping) {
                m_dropping = false;
                continue;
            }
            if (m_pending.endsWith('\r'))
                m_pending.chop(1);
            events.push_back({EventKind::Line, DecodeInstrumentText(m_pending)});
            m_pending.clear();
        } else if (!m_dropping) {
            m_pending.append(c);
            if (m_pending.size() > m_maxLineBytes) {
                events.push_back(
                    {EventKind::LineTooLong, DecodeInstrumentText(m_pending.left(kPreviewBytes))});
                m_pending.clear();
                m_dropping = true;
            }
        }
    }
    return events;
}

void LineAssembler::clear() {
    m_pending.clear();
    m_dropping = false;
}
