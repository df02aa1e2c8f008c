#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"
#include "platform/PlatformServices.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

void frmTransfer::cmdLesen_Click() {
    const TransferSession::Command command(*m_session, "cmdLesen_Click");
    if (!command)
        return;
    if (m_state.Device.LinkKind == QLatin1String("L"))
        LE_Speicher_lesen(cmbSpeicher->currentIndex());
    else
        AlleSpeicherLesen();
}

void frmTransfer::AlleSpeicherLesen() {
    const TransferSession::Command command(*m_session, "AlleSpeicherLesen");
    if (!command)
        return;
    m_state.OnlinePaused = true;
    m_state.ReadAllMemories = true;
    m_link->checkLink(portNumber());
    if (!m_link->LinkConnected()) {
        m_state.OnlinePaused = false;
        m_state.ReadAllMemories = false;
        return;
    }
    ReadGeraet();
    const DeviceInfo& d = m_state.Device;
    if (d.FECount == 0 && d.NFECount == 0) {
        // The instrument said that both memories are empty: both go, the online values stay.
        for (MemoryKind kind : {MemoryKind::FE, MemoryKind::NFE}) {
            m_state.Kind = kind;
            ClearStore();
            Button_setzen_Init();
        }
        Meldung_Speicher_Leer();
        m_state.ReadAllMemories = false;
        optOnline_Click();
    } else {
        Button_setzen_Init();
        // A memory that did not arrive complete ends the reading: the link is gone or the user
        // cancelled, and the next memory would only wait again.
        if (cmdLesFE_Click() && d.MemoryLayout.startsWith(QLatin1Char('2')))
            cmdLesNFE_Click();
        OptButton_setzen();
    }
    m_state.ReadAllMemories = false;
    m_state.OnlinePaused = false;
}

bool frmTransfer::cmdLesFE_Click() {
    const TransferSession::Command command(*m_session, "cmdLesFE_Click");
    if (!command)
        return false;
    m_link->checkLink(portNumber());
    if (!m_link->LinkConnected())
        return false;
    if (!m_state.ReadAllMemories)
        ReadGeraet();
    m_state.Kind = MemoryKind::FE;
    if (m_state.Device.FECount == 0) {
        ClearStore();
        Button_setzen_Init();
        Meldung_Speicher_Leer();
        return true;
    }
    const bool complete = Speicher_lesen();
    if (!m_state.ReadAllMemories)
        OptButton_setzen();
    return complete;
}

void frmTransfer::cmdLesNFE_Click() {
    const TransferSession::Command command(*m_session, "cmdLesNFE_Click");
    if (!command)
        return;
    if (!m_state.ReadAllMemories) {
        m_link->checkLink(portNumber());
        if (!m_link->LinkConnected())
            return;
        ReadGeraet();
    }
    m_state.Kind = MemoryKind::NFE;
    if (m_state.Device.NFECount == 0) {
        ClearStore();
        Button_setzen_Init();
        Meldung_Speicher_Leer();
        m_state.ReadAllMemories = false;
        return;
    }
    Speicher_lesen();
    if (m_state.ReadAllMemories)
        m_state.ReadAllMemories = false;
    else
        OptButton_setzen();
}

bool frmTransfer::Speicher_lesen() {
    const TransferSession::Command command(*m_session, "Speicher_lesen");
    if (!command)
        return false;
    m_link->checkLink(portNumber());
    if (!m_link->LinkConnected())
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<InstrumentLink::Outcome> outcome = m_session->Speicher_lesen(m_state.Kind);
    const bool complete = outcome == InstrumentLink::Outcome::Done;
    if (complete && m_link->LinkConnected())
        m_display->showReady();
    // After Esc too: the user must be able to go on working.
    if (outcome) {
        Unblock_Buttons();
        showExportButtons();
    }
    QApplication::restoreOverrideCursor();
    lstStat->setVisible(MSFlex->rowCount() > 0);
    return complete;
}

void frmTransfer::showStoredMemory() {
    // A single read selects its memory right after it; reading all selects one only at the end,
    // and a memory that has arrived must not vanish while the next one is read.
    if (!m_state.ReadAllMemories)
        return;
    checkMemoryOption(m_state.Kind);
    FillMSFlexOne();
}
