#include "app/frmTransfer.h"

#include "core/MemoryDownload.h"
#include "link/serial/SCom.h"
#include "ui/PlatformServices.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace {

// Online lines start with the record number (digits) or blanks; anything else means the
// instrument sends something other than values.
bool LooksLikeValueLine(const QString& line) {
    return line.isEmpty() || line.front().isDigit() || line.front() == QLatin1Char(' ');
}

} // namespace

void frmTransfer::DataEvent() {
    switch (SCom1->CommEvent()) {
    case SCom::CommEventLinkLost:
        SCom1->setPortOpen(false);
        cmdLesFE->setEnabled(false);
        cmdLesNFE->setEnabled(false);
        Frame2->setTitle(QStringLiteral("Com-Port"));
        m_state.RetryCount = 1;
        m_state.LinkConnected = false;
        // A download waiting for its end must not wait for a cable that is gone.
        m_state.ResponseComplete = true;
        m_linkLost = true;
        Verbindungscheck(portNumber());
        return;
    case SCom::CommEventReceive:
        if (m_state.Kind == MemoryKind::Online) {
            // Each complete line is a value of its own, also when several came in one read.
            for (const QString& line : SCom1->takeLines()) {
                if (m_state.Device.OnlineMode == QLatin1String("V"))
                    streamLine(line);
                else
                    onlineLine(line);
            }
            return;
        }
        m_state.ReceiveText += SCom1->Input();
        m_state.ResponseText = m_state.ReceiveText;
        return;
    case SCom::CommEventTrigger:
        while (SCom1->TriggerPending()) {
            const QByteArray trigger = SCom1->TriggerData();
            if (trigger == QByteArray(1, '\x04')) {
                m_state.ResponseComplete = true;
            } else if (trigger == QByteArray(1, '\x19')) {
                m_state.ResponseComplete = true;
                m_state.NoAnswer = true;
                m_notAvailable = true;
                m_state.RetryCount = 0;
                // Inside a connection check the check itself shows "not available".
                if (!m_checkingLink)
                    Verbindungscheck(portNumber());
                return;
            }
        }
        return;
    default:
        return;
    }
}

void frmTransfer::onlineLine(const QString& line) {
    if (!LooksLikeValueLine(line)) {
        optOnline->setEnabled(false);
        return;
    }
    if (m_state.Device.OnlineMode == QLatin1String("E") && !line.isEmpty()) {
        m_state.CurrentLine = line;
        if (m_state.Counters.OnlineCounter > MeasurementStore::MaxSlot)
            limitMessage();
        else
            FillMessdaten(line);
    }
    QString shown = line.mid(6, 15);
    shown.replace(QStringLiteral("ym"), QStringLiteral("µm"));
    if (m_state.Device.ModelCode == QLatin1String("EL7"))
        shown += QStringLiteral("µr");
    txtSpeicher->setText(shown);
    onlineValueTaken();
    m_state.ReceiveText.clear();
    m_state.CurrentLine.clear();
    Unblock_Buttons();
}

void frmTransfer::streamLine(const QString& line) {
    if (m_state.OnlinePaused)
        return;
    if (m_lineWriteCount >= MeasurementStore::MaxSlot) {
        limitMessage();
        return;
    }
    if (!LooksLikeValueLine(line)) {
        optOnline->setEnabled(false);
        return;
    }
    ++m_lineWriteCount;
    m_state.CurrentLine = line;
    FillMessdaten(line);
    QString shown = line.mid(6, 15);
    shown.replace(QStringLiteral("Oe"), QStringLiteral("G "));
    txtSpeicher->setText(shown);
    onlineValueTaken();
    ++m_state.Counters.OnlineCounter;
}

void frmTransfer::onlineValueTaken() {
    // Every online value is kept in "Online.mes" at once, so a crash loses none.
    m_state.SpeichernShow = false;
    cmdSave_Click();
    showExportButtons();
}

bool frmTransfer::startOnlineReception() {
    m_state.RetryCount = 0;
    Verbindungscheck(portNumber());
    if (!m_state.LinkConnected)
        return false;
    m_state.CurrentLine.clear();
    SCom1->setSettings(QStringLiteral("38400,n,8,1"));
    SCom1->setHandshaking(0);
    SCom1->discardInput();
    if (m_state.Device.OnlineMode == QLatin1String("V")) {
        cmdStop->setVisible(true);
        m_lineWriteCount = 0;
        SCom1->discardOutput();
        SCom1->setTriggerEnable(true);
        SCom1->clearTriggers();
        SCom1->addTrigger(25);
    }
    return true;
}

void frmTransfer::cmdStop_Click() {
    if (m_state.OnlinePaused) {
        cmdStop->setText(m_state.message(55));
        cmdStop->setStyleSheet(QStringLiteral("background-color: rgb(255,128,128);"));
        m_state.OnlinePaused = false;
    } else {
        cmdStop->setText(m_state.message(56));
        cmdStop->setStyleSheet(QStringLiteral("background-color: rgb(128,255,128);"));
        m_state.OnlinePaused = true;
    }
}

void frmTransfer::cmdLesen_Click() {
    if (m_state.Device.LinkKind != QLatin1String("L"))
        AlleSpeicherLesen();
}

void frmTransfer::AlleSpeicherLesen() {
    m_state.OnlinePaused = true;
    m_state.ReadAllMemories = true;
    m_state.RetryCount = 0;
    Verbindungscheck(portNumber());
    if (!m_state.LinkConnected) {
        m_state.OnlinePaused = false;
        m_state.ReadAllMemories = false;
        return;
    }
    ReadGeraet();
    const DeviceInfo& d = m_state.Device;
    if (d.FECount == 0 && d.NFECount == 0 && m_state.Kind != MemoryKind::Identification) {
        MSFlex->setRowCount(0);
        ClearStore();
        Button_setzen_Init();
        Meldung_Speicher_Leer();
        m_state.ReadAllMemories = false;
        optOnline_Click();
    } else {
        Button_setzen_Init();
        cmdLesFE_Click();
        if (d.MemoryLayout.startsWith(QLatin1Char('2')))
            cmdLesNFE_Click();
        OptButton_setzen();
    }
    m_state.ReadAllMemories = false;
    m_state.OnlinePaused = false;
}

void frmTransfer::cmdLesFE_Click() {
    m_state.RetryCount = 0;
    Verbindungscheck(portNumber());
    if (!m_state.LinkConnected)
        return;
    if (!m_state.ReadAllMemories)
        ReadGeraet();
    m_state.Kind = MemoryKind::FE;
    if (m_state.Device.FECount == 0) {
        ClearStore();
        Button_setzen_Init();
        Meldung_Speicher_Leer();
        return;
    }
    CurrentCommand = QStringLiteral("$zorv10$\r\n");
    Speicher_lesen();
    if (!m_state.ReadAllMemories)
        OptButton_setzen();
}

void frmTransfer::cmdLesNFE_Click() {
    if (!m_state.ReadAllMemories) {
        m_state.RetryCount = 0;
        Verbindungscheck(portNumber());
        if (!m_state.LinkConnected)
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
    CurrentCommand = QStringLiteral("$zorv11$\r\n");
    Speicher_lesen();
    if (m_state.ReadAllMemories)
        m_state.ReadAllMemories = false;
    else
        OptButton_setzen();
}

void frmTransfer::Speicher_lesen() {
    const QDateTime now = m_platform.now();
    m_state.DownloadTime = now.toString(QStringLiteral("hh:mm:ss"));
    m_state.DownloadDate = now.toString(QStringLiteral("dd.MM.yyyy"));
    lstStat->clear();
    MSFlex->setRowCount(0);
    lstStat->setVisible(true);
    Reset_Statistic();
    InitMSFlex();
    ClearStore();

    m_state.RetryCount = 0;
    Verbindungscheck(portNumber());
    if (!m_state.LinkConnected)
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_state.ReceiveText.clear();
    m_state.ResponseText.clear();
    m_state.ResponseComplete = false;
    m_state.Counters.CurrentIndex = 1;
    m_linkLost = false;
    m_notAvailable = false;
    Block_Buttons();
    Befehl_senden();
    const bool answered = waitForAnswer();
    if (answered && !m_linkLost && !m_notAvailable) {
        const MemoryAnswer answer = SplitMemoryAnswer(m_state.ResponseText);
        if (answer.LimitExceeded)
            limitMessage();
        for (const QString& line : answer.Lines) {
            if (m_state.Kind != MemoryKind::FE && m_state.Kind != MemoryKind::NFE)
                break;
            m_state.CurrentLine = line;
            FillMessdaten(line);
        }
        if (m_state.LinkConnected)
            txtWait->setText(m_state.caption(53));
    } else {
        WriteLog(answered ? QStringLiteral("Speicher lesen: keine vollständige Antwort")
                          : QStringLiteral("Speicher lesen: mit Esc abgebrochen"));
    }
    // After Esc too: the user must be able to go on working.
    Unblock_Buttons();
    if (MSFlex->rowCount() + 1 > 2)
        requestScrollToLastRow();
    showExportButtons();
    m_state.ReceiveText.clear();
    m_state.CurrentLine.clear();
    m_state.ResponseComplete = false;
    QApplication::restoreOverrideCursor();
    lstStat->setVisible(MSFlex->rowCount() > 0);
}
