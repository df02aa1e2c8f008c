#include "app/frmTransfer.h"

#include "platform/PlatformServices.h"
#include "session/CountedNotices.h"
#include "session/ReceiveNotices.h"

bool frmTransfer::FillMessdaten(const QString& line) {
    const FillResult result = ::FillMessdaten(line, m_state.Kind, m_state.Counters, m_state.Device,
                                              m_platform.now(), m_state.Store);
    if (!result.ClockDate.isEmpty()) {
        m_state.ClockTime = result.ClockTime;
        m_state.ClockDate = result.ClockDate;
    }
    switch (result.Status) {
    case FillStatus::Added: {
        MeasurementCounters& counters = m_state.Counters;
        if (m_state.Kind == MemoryKind::Online)
            counters.CurrentIndex = counters.OnlineCounter;
        const int slot = counters.CurrentIndex;
        // The counters point past the record before anyone hears of it, so nothing that runs
        // meanwhile can store a value over it.
        AdvanceCounters(counters, m_state.Kind, m_state.Device);
        AddMSFlexRow(slot);
        return true;
    }
    case FillStatus::Failed:
        m_session->notices().raise(RefusedLineNotice, result.Message());
        return false;
    case FillStatus::Dropped:
    case FillStatus::Ignored:
        return false;
    }
    return false;
}

void frmTransfer::message(const QString& text) {
    m_platform.messageBox(text, PlatformServices::Buttons::Ok, PlatformServices::Icon::Information,
                          programTitle());
}

bool frmTransfer::askYesNo(const QString& text) {
    return m_platform.messageBox(text, PlatformServices::Buttons::YesNo,
                                 PlatformServices::Icon::Information,
                                 programTitle()) == PlatformServices::Answer::Yes;
}
