#include "app/frmTransfer.h"

#include "link/InstrumentLink.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Online lines start with the record number (digits) or blanks; anything else means the
// instrument sends something other than values.
bool LooksLikeValueLine(const QString& line) {
    return line.isEmpty() || line.front().isDigit() || line.front() == QLatin1Char(' ');
}

} // namespace

void frmTransfer::onlineReceived(const QString& line) {
    // Values reach the table only while it shows the Online memory; those of an instrument that
    // sends them unasked bring that table into view.
    if (m_state.Kind != MemoryKind::Online) {
        if (!m_link->sendsUnasked())
            return;
        optOnline_Click();
    }
    if (m_state.Device.OnlineMode == QLatin1String("V"))
        streamLine(line);
    else
        onlineLine(line);
}

void frmTransfer::onlineLine(const QString& line) {
    if (!LooksLikeValueLine(line)) {
        optOnline->setEnabled(false);
        return;
    }
    if (m_state.Device.OnlineMode == QLatin1String("E") && !line.isEmpty()) {
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
    FillMessdaten(line);
    QString shown = line.mid(6, 15);
    shown.replace(QStringLiteral("Oe"), QStringLiteral("G "));
    txtSpeicher->setText(shown);
    onlineValueTaken();
    ++m_state.Counters.OnlineCounter;
}

void frmTransfer::limitMessage() {
    m_session->limitMessage();
}

void frmTransfer::onlineValueTaken() {
    // Every online value is kept in "Online.mes" at once, so a crash loses none.
    m_state.SpeichernShow = false;
    cmdSave_Click();
    showExportButtons();
}

bool frmTransfer::startOnlineReception() {
    m_link->checkLink(portNumber());
    if (!m_link->LinkConnected())
        return false;
    const bool streamed = m_state.Device.OnlineMode == QLatin1String("V");
    if (streamed) {
        cmdStop->setVisible(true);
        m_lineWriteCount = 0;
    }
    m_link->setOnline(true, streamed);
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
