#include "app/frmTransfer.h"

#include "core/Identification.h"
#include "core/NumberFormat.h"
#include "link/serial/SCom.h"
#include "link/serial/frmWait.h"
#include "ui/PlatformServices.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int ErrorPortNotPresent = 68;
constexpr int ProbeSeconds = 4;

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

void frmTransfer::scanPorts() {
    frmWait wait(this);
    wait.setWindowTitle(m_state.titleText());
    wait.lblWait->setText(m_state.message(13));
    wait.ProgressBar1->setRange(0, 200);
    wait.show();
    ComboPort->clear();
    const QString& link = m_state.Device.LinkKind;
    for (int i = 1; i <= 200; ++i) {
        QApplication::processEvents();
        wait.ProgressBar1->setValue(i);
        const QString name = QStringLiteral("COM%1").arg(i);
        const QString info = SCom1->PortInfo(name);
        if (info.isEmpty())
            continue;
        const QString type = SCom::PortInfoValue(info, QStringLiteral("TYPE"));
        const QString kind = type.left(3).toUpper();
        // A port the user pinned to a number is the instrument's port, whatever its driver says.
        const bool pinned =
            SCom::PortInfoValue(info, QStringLiteral("PINNED")) == QLatin1String("1");
        if ((kind == QLatin1String("BTH") && link == QLatin1String("B")) ||
            (kind == QLatin1String("VCP") && link == QLatin1String("K")) ||
            (link == QLatin1String("K") &&
             SCom::PortInfoValue(info, QStringLiteral("NAME")) == QLatin1String("COM1")) ||
            (pinned && (link == QLatin1String("B") || link == QLatin1String("K")))) {
            ComboPort->addItem(AusrichtenL(5, name) +
                               Ausrichten(15, type, QStringLiteral(" "), false));
        }
    }
    wait.lblWait->setText(m_state.message(17));
    wait.hide();
}

void frmTransfer::ComboPort_Change() {
    if (m_state.Device.LinkKind == QLatin1String("L"))
        return;
    const QString text = ComboPort->currentText();
    if (text.isEmpty() || text == QLatin1String(" ")) {
        txtWait->setText(m_state.message(5));
        cmdConnect->setEnabled(false);
        return;
    }
    if (ComboPort->count() == 0) {
        ComboPort->setEditText(QString());
        txtWait->setText(m_state.message(31));
        return;
    }
    for (int i = 0; i < ComboPort->count(); ++i) {
        if (ComboPort->itemText(i).contains(text, Qt::CaseInsensitive)) {
            txtWait->clear();
            txtWait->setVisible(false);
            cmdConnect->setEnabled(true);
            return;
        }
        txtWait->setText(m_state.message(5));
        cmdConnect->setEnabled(false);
    }
}

void frmTransfer::cmdConnect_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_state.Device.LinkKind == QLatin1String("L")) {
        // Bluetooth LE instruments connect through their own window.
        QApplication::restoreOverrideCursor();
        return;
    }
    const QString text = ComboPort->currentText();
    if (!text.isEmpty()) {
        if (const std::optional<QString> number = PortNumberText(text))
            m_state.Settings.COMPortNummer = *number;
        txtWait->setText(m_state.message(13));
        txtWait->setVisible(true);
        m_state.LinkConnected = false;
        SCom1->setPortOpen(false);
    }
    m_state.RetryCount = 0;
    Verbindungscheck(portNumber());

    if (m_state.LinkConnected) {
        ReadGeraet();
        // An instrument that answered "not available" is not read any further.
        if (m_state.LinkConnected) {
            RefineMemoryLayout(m_state.Device);
            Speicherauswahl_setzen();
            Voreinstellungen(QStringLiteral("PI"));
            Voreinstellungen(QStringLiteral("LL"));
            Voreinstellungen(QStringLiteral("CS"));
            const QString layout = m_state.Device.MemoryLayout;
            if (layout.startsWith(QLatin1Char('4')) || layout.startsWith(QLatin1Char('X')))
                optOnline_Click();
            else
                AlleSpeicherLesen();
            m_state.RetryCount = 0;
            Unblock_Buttons();
        }
    }
    ShowLimits();
    QApplication::restoreOverrideCursor();
}

void frmTransfer::Verbindungscheck(int portNumber) {
    const bool nested = m_checkingLink;
    m_checkingLink = true;
    int errorNumber = 0;
    if (m_state.NoAnswer) {
        errorNumber = -1;
    } else if (SCom1->PortOpen()) {
        m_state.LinkConnected = true;
        txtWait->setText(m_state.caption(53));
    } else {
        for (int count = 0; count < 5 && !SCom1->PortOpen(); ++count) {
            txtWait->setText(m_state.message(13));
            txtWait->setVisible(true);
            SCom1->setSettings(QStringLiteral("38400,n,8,1"));
            if (!SCom1->setCommPort(portNumber) || !SCom1->setPortOpen(true)) {
                errorNumber = SCom1->ErrorNumber();
                break;
            }
        }
        if (errorNumber == 0 && SCom1->PortOpen()) {
            m_notAvailable = false;
            if (m_state.Device.LinkKind == QLatin1String("K"))
                Geraet_pruefen();
            m_state.LinkConnected = !m_state.NoAnswer;
            if (m_notAvailable)
                errorNumber = -1;
        }
    }
    if (errorNumber != 0) {
        linkFailed(portNumber, errorNumber);
        m_checkingLink = nested;
        return;
    }
    showLinkState();
    m_checkingLink = nested;
}

void frmTransfer::linkFailed(int portNumber, int errorNumber) {
    if (errorNumber > 0) {
        // Why the port would not open goes to the log and the wait label's tooltip.
        WriteLog(SCom1->ErrorText());
        txtWait->setToolTip(SCom1->ErrorText());
    }
    if (!m_state.NoAnswer) {
        while (m_state.RetryCount < 1 && !m_state.NoAnswer) {
            ++m_state.RetryCount;
            Verbindungscheck(portNumber);
            if (m_state.LinkConnected)
                return;
        }
    }
    // Every port that cannot be opened is "not available": a missing device (68), one in use or
    // one this user may not open; the reason stands in the log.
    if (m_state.NoAnswer || errorNumber == ErrorPortNotPresent || errorNumber > 0) {
        txtWait->setText(m_state.message(29));
        txtWait->setVisible(true);
        cmdConnect->setText(m_state.caption(50));
        ComboPort->setVisible(true);
        for (QPushButton* b : {cmdLesFE, cmdLesNFE, cmdLesen})
            b->setEnabled(false);
        cmdConnect->setVisible(true);
        cmdConnect->setFocus();
        picBth->setVisible(false);
        picUsb->setVisible(false);
        m_state.NoAnswer = false;
        m_state.LinkConnected = false;
    }
}

void frmTransfer::showLinkState() {
    const DeviceInfo& d = m_state.Device;
    if (m_state.LinkConnected) {
        ComboPort->setVisible(false);
        txtWait->setStyleSheet(QStringLiteral("color: rgb(0,0,255);"));
        txtWait->setToolTip(QString());
        Frame2->setTitle(QStringLiteral("Com-Port(COM") + m_state.Settings.COMPortNummer.trimmed() +
                         QLatin1Char(')'));
        txtWait->setText(m_state.caption(53));
        optOnline->setEnabled(true);
        cmdOpen->setEnabled(true);
        cmdConnect->setVisible(false);
        txtSpeicher->setVisible(true);
        const bool bluetooth = d.LinkKind == QLatin1String("B") || d.LinkKind == QLatin1String("L");
        picUsb->setVisible(!bluetooth);
        picBth->setVisible(bluetooth);
        cmdLesen->setVisible(d.MemoryLayout.trimmed() != QLatin1String("X"));
        return;
    }
    cmdConnect->setText(m_state.caption(50));
    ComboPort->setVisible(true);
    cmdLesFE->setEnabled(false);
    cmdLesNFE->setEnabled(false);
    Frame2->setTitle(QStringLiteral("Com-Port"));
    txtWait->setText(m_state.caption(55));
    optOnline->setEnabled(false);
    cmdConnect->setFocus();
    txtSpeicher->setVisible(false);
    picBth->setVisible(false);
    picUsb->setVisible(false);
}

void frmTransfer::Geraet_pruefen() {
    m_state.ReceiveText.clear();
    m_state.ResponseText.clear();
    m_state.ResponseComplete = false;
    Block_Buttons();
    txtWait->setVisible(true);
    m_state.Kind = MemoryKind::Identification;
    CurrentCommand = QStringLiteral("$zorv00$\r\n");
    Befehl_senden();
    const PlatformServices::WaitResult result = m_platform.waitUntil(
        [this] { return m_state.ResponseComplete; }, ProbeSeconds * 1000 + 500, true);
    if (result == PlatformServices::WaitResult::TimedOut) {
        m_state.NoAnswer = true;
        return;
    }
    // The character 25 ("not available") leaves its mark; a real answer clears it.
    if (!m_notAvailable)
        m_state.NoAnswer = false;
}

void frmTransfer::PortEvent(int type, const QString& portName) {
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
    cmdConnect->setText(m_state.caption(50));
    txtWait->clear();
    cmdConnect->setVisible(true);
    picBth->setVisible(false);
    picUsb->setVisible(false);
    ComboPort->setVisible(true);
    for (QPushButton* b : {cmdLesFE, cmdLesNFE, cmdLesen})
        b->setEnabled(false);
}
