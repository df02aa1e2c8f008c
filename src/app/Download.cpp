#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"
#include "core/MemoryDownload.h"
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
        MSFlex->setRowCount(0);
        ClearStore();
        Button_setzen_Init();
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
    // The table and store it replaces stay as they are until the new memory has arrived
    // complete: a cancelled, cut or failed download must not lose values never saved.
    m_link->checkLink(portNumber());
    if (!m_link->LinkConnected())
        return false;

    // The memory is the one asked for, whatever the window shows when it has arrived.
    const MemoryKind kind = m_state.Kind;
    const QDateTime now = m_platform.now();
    const int expected = kind == MemoryKind::NFE ? m_state.Device.NFECount : m_state.Device.FECount;
    if (!m_session->idleLink().readMemory(kind, expected))
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const InstrumentLink::Outcome outcome = waitForExchange(expected);
    const bool complete = outcome == InstrumentLink::Outcome::Done;
    if (complete) {
        const MemoryAnswer answer = SplitMemoryAnswer(m_link->answerText());
        if (answer.LimitExceeded)
            limitMessage();
        storeDownload(kind, answer.Lines, now);
        if (m_link->LinkConnected())
            m_display->showReady();
    } else {
        WriteLog(outcome == InstrumentLink::Outcome::Cancelled
                     ? QStringLiteral("Speicher lesen: mit Esc abgebrochen")
                     : QStringLiteral("Speicher lesen: keine vollständige Antwort"));
    }
    // After Esc too: the user must be able to go on working.
    Unblock_Buttons();
    showExportButtons();
    QApplication::restoreOverrideCursor();
    lstStat->setVisible(MSFlex->rowCount() > 0);
    return complete;
}

void frmTransfer::storeDownload(MemoryKind kind, const QStringList& lines, const QDateTime& now) {
    // The memory arrived complete: now it replaces what the table and store held of its kind.
    // Only the store is filled here: the table is built once, when the memory is shown.
    lstStat->clear();
    MSFlex->setRowCount(0);
    Reset_Statistic();
    InitMSFlex();
    m_session->storeDownload(kind, lines, now);
}
