#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"
#include "ble_ui/BLE.h"
#include "link/ble/BleLink.h"
#include "platform/PlatformServices.h"

#include <QComboBox>
#include <QPushButton>

BleLink* frmTransfer::bleLink() const {
    return qobject_cast<BleLink*>(m_link);
}

BLE& frmTransfer::bleWindow() {
    if (m_bleWindow == nullptr) {
        BleLink& link = *bleLink();
        m_bleWindow = new BLE(
            {link, m_platform, m_state.Texts, [this] { return int(m_state.languageIndex()); },
             [this](const QString& text) { WriteLog(text); },
             [this] { return m_state.titleText(); }, [&link] { return link.closing(); },
             [this](BleLinkView view) { showLowEnergyView(view); },
             [this] { lowEnergyConnected(); }},
            this);
        m_bleWindow->setWindowModality(Qt::ApplicationModal);
        m_bleWindow->Form_Load();
    }
    return *m_bleWindow;
}

// The connect button of a Bluetooth LE instrument: the connect window makes the link, then the
// instrument is identified. False when no link came, or when only notifications were renewed.
bool frmTransfer::connectLowEnergy() {
    // A link that was lost is offered again ("Wiederverbinden"): its notifications are renewed.
    if (bleLink()->state() == InstrumentLink::State::Lost) {
        reconnectLowEnergy();
        return false;
    }
    BLE& window = bleWindow();
    window.setResult(QDialog::Rejected);
    window.show();
    m_platform.waitUntil([&window] { return !window.isVisible(); }, -1, false);
    BleLink& link = *bleLink();
    if (window.result() != QDialog::Accepted) {
        // Closed with its close box or Esc: nothing is identified, and what needs no instrument
        // is usable as after any connect.
        link.giveUp();
        Unblock_Buttons();
        return false;
    }
    if (m_session->stopping() || !m_session->idleLink().identify() ||
        waitForExchange(0) != InstrumentLink::Outcome::Done)
        showLinkFailure(QStringLiteral("Identifikation"));
    Unblock_Buttons();
    m_state.Settings.COMPortNummer = QStringLiteral("0");
    m_link->checkLink(0);
    return true;
}

void frmTransfer::lowEnergyConnected() {
    bleLink()->setConnected(true);
    // Part of the connect command, whose wait for the connect window this runs in.
    selectMemory(MemoryKind::Online);
    cmbSpeicher->setVisible(false);
    cmdRefresh->setVisible(false);
}

void frmTransfer::reconnectLowEnergy() {
    m_session->idleLink();
    if (!bleLink()->restoreMeasure())
        return;
    // Bounded by the exchange's own time limits; the connection controls keep their state.
    m_platform.waitUntil([this] { return !m_link->exchangeRunning(); }, -1, false);
    if (m_link->lastOutcome() != InstrumentLink::Outcome::Done) {
        // Still out of reach: the user is told what to do, and "Wiederverbinden" stays.
        WriteLog(QStringLiteral("Wiederverbinden: ") + m_link->failureText());
        message(m_state.message(81));
        return;
    }
    bleWindow().BleConnected = true;
}

void frmTransfer::showLowEnergyView(BleLinkView view) {
    if (view != BleLinkView::Returned)
        bleLink()->markLost();
    m_display->showLowEnergy(view);
}

void frmTransfer::showLinkFailure(const QString& exchange) {
    const QString& failure = m_link->failureText();
    WriteLog(exchange + QStringLiteral(": ") +
             (failure.isEmpty() ? QStringLiteral("abgebrochen") : failure));
    if (!failure.isEmpty())
        message(failure);
}
