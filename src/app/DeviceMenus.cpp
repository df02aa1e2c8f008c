#include "app/frmTransfer.h"

#include "extras/frmInfo.h"
#include "extras/frmTime.h"
#include "link/ble/BleLink.h"
#include "platform/PlatformServices.h"

void frmTransfer::mnuInfo_Click() {
    if (!InfoShowsDialog(m_state.Device, m_link->LinkConnected())) {
        m_platform.messageBox(m_state.titleText(), PlatformServices::Buttons::Ok,
                              PlatformServices::Icon::Information, QStringLiteral("Version"));
        return;
    }
    if (m_infoDialog == nullptr)
        m_infoDialog = new frmInfo(
            {m_state.Device, m_state.Texts, [this] { return int(m_state.languageIndex()); },
             [this] { return m_state.ModelTitle; }, [this] { return m_state.titleText(); }},
            this);
    m_infoDialog->show();
    m_infoDialog->raise();
}

void frmTransfer::mnuSetTime_Click() {
    BleLink* link = bleLink();
    if (link == nullptr)
        return;
    if (m_timeDialog == nullptr)
        m_timeDialog =
            new frmTime({[link](ClockRequest request) { return link->startClockRequest(request); },
                         [link] { return link->clockReply(); },
                         [this, link] { return busy() || link->exchangeRunning(); }, m_platform,
                         m_state.Texts, [this] { return int(m_state.languageIndex()); },
                         [this] { return m_state.titleText(); }},
                        this);
    m_timeDialog->show();
    m_timeDialog->raise();
}
