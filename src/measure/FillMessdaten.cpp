#include "app/frmTransfer.h"

#include "measure/ReceiveNotices.h"
#include "ui/CountedNotices.h"
#include "ui/PlatformServices.h"

bool frmTransfer::FillMessdaten(const QString& line) {
    const FillResult result = ::FillMessdaten(line, m_state.Kind, m_state.Counters, m_state.Device,
                                              m_platform.now(), m_state.Store);
    if (!result.ClockDate.isEmpty()) {
        m_state.ClockTime = result.ClockTime;
        m_state.ClockDate = result.ClockDate;
    }
    switch (result.Status) {
    case FillStatus::Added:
        AddMSFlexRow();
        AdvanceCounters(m_state.Counters, m_state.Kind, m_state.Device);
        return true;
    case FillStatus::Failed:
        m_notices->raise(RefusedLineNotice, result.Message());
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
