#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"
#include "core/MemoryDownload.h"
#include "measure/ReceiveNotices.h"
#include "ui/CountedNotices.h"
#include "ui/PlatformServices.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

void frmTransfer::cmdLesen_Click() {
    if (m_state.Device.LinkKind == QLatin1String("L"))
        LE_Speicher_lesen();
    else
        AlleSpeicherLesen();
}

void frmTransfer::AlleSpeicherLesen() {
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
    // The table and store it replaces stay as they are until the new memory has arrived
    // complete: a cancelled, cut or failed download must not lose values never saved.
    m_link->checkLink(portNumber());
    if (!m_link->LinkConnected())
        return false;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QDateTime now = m_platform.now();
    const int expected =
        m_state.Kind == MemoryKind::NFE ? m_state.Device.NFECount : m_state.Device.FECount;
    m_link->readMemory(m_state.Kind, expected);
    const InstrumentLink::Outcome outcome = waitForExchange(expected);
    const bool complete = outcome == InstrumentLink::Outcome::Done;
    if (complete) {
        const MemoryAnswer answer = SplitMemoryAnswer(m_link->answerText());
        if (answer.LimitExceeded)
            limitMessage();
        storeDownload(answer.Lines, now);
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

void frmTransfer::storeDownload(const QStringList& lines, const QDateTime& now) {
    // The memory arrived complete: now it replaces what the table and store held of its kind.
    m_state.DownloadTime = now.toString(QStringLiteral("hh:mm:ss"));
    m_state.DownloadDate = now.toString(QStringLiteral("dd.MM.yyyy"));
    lstStat->clear();
    MSFlex->setRowCount(0);
    Reset_Statistic();
    InitMSFlex();
    ClearStore();
    m_state.Counters.CurrentIndex = 1;
    // Only the store is filled here: the table is built once, when the memory is shown.
    for (const QString& line : lines) {
        const FillResult result = ::FillMessdaten(line, m_state.Kind, m_state.Counters,
                                                  m_state.Device, now, m_state.Store);
        if (!result.ClockDate.isEmpty()) {
            m_state.ClockTime = result.ClockTime;
            m_state.ClockDate = result.ClockDate;
        }
        if (result.Status == FillStatus::Added) {
            AdvanceCounters(m_state.Counters, m_state.Kind, m_state.Device);
        } else if (result.Status == FillStatus::Failed) {
            // A garbled memory gives one box with the count, not one box per line.
            m_notices->raise(RefusedLineNotice, result.Message());
        }
    }
}
