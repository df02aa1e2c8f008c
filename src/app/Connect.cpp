#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"
#include "app/frmWait.h"
#include "core/Identification.h"
#include "link/serial/SerialLink.h"
#include "platform/PlatformServices.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The first of three, two or one characters from the fourth on that reads as a number.
std::optional<QString> PortNumberText(const QString& text) {
    for (int length : {3, 2, 1}) {
        const QString part = text.mid(3, length);
        bool ok = false;
        part.trimmed().toInt(&ok);
        if (ok)
            return part;
    }
    return std::nullopt;
}

} // namespace

void frmTransfer::useLink(InstrumentLink* link) {
    m_link = link;
    m_link->setParent(this);
    m_session->useLink(link);
    connect(m_link, &InstrumentLink::stateChanged, this, &frmTransfer::showLinkState);
    connect(m_link, &InstrumentLink::PortEvent, this, &frmTransfer::PortEvent);
    connect(m_link, &InstrumentLink::linkProblem, this, [this](const QString& reason) {
        // Why the port would not open goes to the log and the status text's tooltip.
        WriteLog(reason);
        m_display->showReason(reason);
    });
    connect(m_link, &InstrumentLink::progress, m_display, &LinkDisplay::showProgress);
    // A request the clock dialog makes on its own leaves the main window's commands as they are.
    connect(m_link, &InstrumentLink::exchangeStarted, this, [this] {
        if (busy())
            Block_Buttons();
    });
    // Whatever an exchange blocked, ending the program is possible again once it is over.
    connect(m_link, &InstrumentLink::exchangeFinished, cmdEnde,
            [this] { cmdEnde->setEnabled(true); });
    connect(m_display, &LinkDisplay::cancelClicked, m_link, &InstrumentLink::cancel);
    connect(m_session, &TransferSession::waitStarted, m_display, &LinkDisplay::showWaiting);
    connect(m_session, &TransferSession::waitEnded, m_display,
            [this] { m_display->endWaiting(m_link->LinkConnected()); });
}

void frmTransfer::scanPorts() {
    frmWait wait(this);
    wait.setWindowTitle(m_state.titleText());
    wait.lblWait->setText(m_state.message(13));
    wait.show();
    const QStringList choices = m_link->linkChoices([&](int i, int count) {
        QApplication::processEvents();
        wait.ProgressBar1->setRange(0, count);
        wait.ProgressBar1->setValue(i);
    });
    m_display->showChoices(choices);
    wait.lblWait->setText(m_state.message(17));
    wait.hide();
}

void frmTransfer::ComboPort_Change() {
    if (m_state.Device.LinkKind != QLatin1String("L"))
        m_display->ComboPort_Change();
}

void frmTransfer::cmdConnect_Click() {
    const TransferSession::Command command(*m_session, "cmdConnect_Click");
    if (!command)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool lowEnergy = m_state.Device.LinkKind == QLatin1String("L");
    if (lowEnergy) {
        // Bluetooth LE instruments connect through their own window.
        if (!connectLowEnergy()) {
            QApplication::restoreOverrideCursor();
            return;
        }
    } else {
        const QString text = ComboPort->currentText();
        if (!text.isEmpty()) {
            if (const std::optional<QString> number = PortNumberText(text))
                m_state.Settings.COMPortNummer = *number;
            m_display->showState(InstrumentLink::State::Opening);
            m_link->closeLink();
        }
        m_link->checkLink(portNumber());
    }

    if (m_link->LinkConnected()) {
        ReadGeraet();
        // An instrument that answered "not available" is not read any further.
        if (m_link->LinkConnected()) {
            RefineMemoryLayout(m_state.Device);
            Speicherauswahl_setzen();
            Voreinstellungen(QStringLiteral("PI"));
            Voreinstellungen(QStringLiteral("LL"));
            if (!lowEnergy)
                Voreinstellungen(QStringLiteral("CS"));
            const QString layout = m_state.Device.MemoryLayout;
            if (layout.startsWith(QLatin1Char('4')) || layout.startsWith(QLatin1Char('X')))
                optOnline_Click();
            else
                AlleSpeicherLesen();
            Unblock_Buttons();
        }
    }
    ShowLimits();
    QApplication::restoreOverrideCursor();
}

void frmTransfer::showLinkState(InstrumentLink::State state) {
    using State = InstrumentLink::State;
    m_display->showState(state);
    const DeviceInfo& d = m_state.Device;
    switch (state) {
    case State::Connected:
        optOnline->setEnabled(true);
        cmdOpen->setEnabled(true);
        txtSpeicher->setVisible(true);
        cmdLesen->setVisible(d.MemoryLayout.trimmed() != QLatin1String("X"));
        break;
    case State::NotConnected:
    case State::NoAnswer:
        cmdLesFE->setEnabled(false);
        cmdLesNFE->setEnabled(false);
        optOnline->setEnabled(false);
        txtSpeicher->setVisible(false);
        break;
    case State::NotAvailable:
        for (QPushButton* b : {cmdLesFE, cmdLesNFE, cmdLesen})
            b->setEnabled(false);
        break;
    case State::Lost:
        cmdLesFE->setEnabled(false);
        cmdLesNFE->setEnabled(false);
        break;
    case State::Opening:
        break;
    }
    if (!m_link->exchangeRunning() && state != State::Opening)
        cmdEnde->setEnabled(true);
}

InstrumentLink::Outcome frmTransfer::waitForExchange(int expected) {
    return m_session->waitForExchange(expected);
}

void frmTransfer::PortEvent(int type, const QString& portName) {
    if ((type == 1 || type == 2) && m_state.Device.LinkKind != QLatin1String("L"))
        m_display->updateChoices(m_link->linkChoices([](int, int) {}));
    QString text;
    if (type == 1)
        text = portName + QStringLiteral(" plugged in");
    else if (type == 2)
        text = portName + QStringLiteral(" Unplugged");
    else if (type == 11)
        text = portName + QStringLiteral(" ready");
    if (text.isEmpty())
        return;
    text += QStringLiteral("\r\n");
    if (ComboPort->currentText() != portName)
        return;
    message(QStringLiteral("Verbindungsabbruch wegen ") + text);
    m_display->showUnplugged();
    for (QPushButton* b : {cmdLesFE, cmdLesNFE, cmdLesen})
        b->setEnabled(false);
}
