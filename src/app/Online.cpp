#include "app/frmTransfer.h"

#include "core/MeasurementLine.h"
#include "core/NumberFormat.h"
#include "link/InstrumentLink.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void frmTransfer::onlineReceived(const QString& line) {
    // Values reach the table only while it shows the Online memory; those of an instrument that
    // sends them unasked bring that table into view.
    if (m_state.Kind != MemoryKind::Online) {
        if (!m_link->sendsUnasked())
            return;
        optOnline_Click();
    }
    const bool streamed = m_state.Device.OnlineMode == QLatin1String("V");
    switch (m_session->takeOnlineLine(line, streamed)) {
    case OnlineTaking::NotAValue:
        optOnline->setEnabled(false);
        return;
    case OnlineTaking::Paused:
    case OnlineTaking::Full:
    case OnlineTaking::Refused:
        return;
    case OnlineTaking::Shown:
        break;
    }
    QString shown = line.mid(6, 15);
    if (m_state.Device.LinkKind == QLatin1String("L")) {
        const QString unit = line.mid(17, 4);
        shown =
            FormatValue(ReadNumber(line.mid(6, 10)).value_or(0), unit, m_state.Device.DecimalsMode)
                .value_or(line.mid(6, 10)) +
            QString(unit).replace(QStringLiteral("ym"), QStringLiteral("µm"));
    } else if (streamed) {
        shown.replace(QStringLiteral("Oe"), QStringLiteral("G "));
    } else {
        shown.replace(QStringLiteral("ym"), QStringLiteral("µm"));
        if (m_state.Device.ModelCode == QLatin1String("EL7"))
            shown += QStringLiteral("µr");
    }
    txtSpeicher->setText(shown);
    onlineValueTaken();
    if (!streamed)
        Unblock_Buttons();
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
        m_session->startStream();
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
