#include "extras/frmTime.h"

#include "core/TextTable.h"
#include "link/ble/BleExchange.h"
#include "ui/PlatformServices.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

frmTime::frmTime(TimeContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
    setObjectName(QStringLiteral("frmTime"));
    Frame1 = new QGroupBox(QStringLiteral("Set Time"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txtDateTime = new QLineEdit(Frame1);
    txtDateTime->setObjectName(QStringLiteral("txtDateTime"));
    txtDateTime->setReadOnly(true);
    txtDateTime->setMinimumWidth(220);
    cmdAkt = new QPushButton(QStringLiteral("Akutaliseren"), Frame1);
    cmdAkt->setObjectName(QStringLiteral("cmdAkt"));
    lblDatelog = new QLabel(this);
    lblDatelog->setObjectName(QStringLiteral("lblDatelog"));
    auto* frame = new QVBoxLayout(Frame1);
    frame->addWidget(txtDateTime);
    frame->addWidget(cmdAkt);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(lblDatelog);
    connect(cmdAkt, &QPushButton::clicked, this, &frmTime::cmdAkt_Click);
    m_poll = new QTimer(this);
    connect(m_poll, &QTimer::timeout, this, &frmTime::poll);
}

void frmTime::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The display starts once the dialog is on screen.
    QTimer::singleShot(0, this, &frmTime::Form_Activate);
}

void frmTime::Form_Activate() {
    if (m_poll->isActive() || !isVisible())
        return;
    lblDatelog->clear();
    setWindowTitle(m_context.TitleAndVersion());
    const BleOutcome suspended = m_context.Exchange.suspendMeasure();
    if (!suspended.ok()) {
        lblDatelog->setText(suspended.Message);
        return;
    }
    m_asked = false;
    m_poll->start(PollEveryMs);
    poll();
}

// One step of the display: the answer to the last request is shown, then the next one goes out.
// The steps run from a timer, so the button and the close box never run inside a wait.
void frmTime::poll() {
    BleExchange& exchange = m_context.Exchange;
    if (m_context.Platform.escapeHeld()) {
        stopReading();
        return;
    }
    if (m_asked && exchange.BleBusy != 0) {
        if (m_askedAt.elapsed() < BleExchange::BusyTimeoutMs)
            return;
        stopReading();
        exchange.BleBusy = 0;
        lblDatelog->setText(exchange.noAnswerMessage());
        return;
    }
    if (m_asked)
        txtDateTime->setText(exchange.BleResponseText);
    exchange.BleBusy = BleExchange::Busy;
    m_asked = exchange.ReadTime();
    m_askedAt.start();
    if (!m_asked)
        stopReading();
}

void frmTime::stopReading() {
    m_poll->stop();
    // A request on its way is let finish, so its answer cannot end a later wait.
    if (m_asked)
        m_context.Platform.waitUntil([this] { return m_context.Exchange.BleBusy == 0; },
                                     BleExchange::BusyTimeoutMs, false);
    m_asked = false;
}

bool frmTime::reading() const {
    return m_poll->isActive();
}

void frmTime::cmdAkt_Click() {
    stopReading();
    BleExchange& exchange = m_context.Exchange;
    PlatformServices& platform = m_context.Platform;
    exchange.WriteTime();
    platform.waitMs(200);
    txtDateTime->setText(exchange.ClockTextSent);
    lblDatelog->setText(m_context.Texts.message(m_context.LanguageIndex(), 80));
    platform.waitMs(1000);
    close();
}

void frmTime::closeEvent(QCloseEvent* event) {
    stopReading();
    const BleOutcome resumed = m_context.Exchange.resumeMeasure();
    if (!resumed.ok())
        lblDatelog->setText(resumed.Message);
    QDialog::closeEvent(event);
}
