#include "extras/frmTime.h"

#include "core/TextTable.h"
#include "platform/PlatformServices.h"

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
    if ((m_step != Step::Idle && m_step != Step::Resume) || !isVisible())
        return;
    lblDatelog->clear();
    setWindowTitle(m_context.TitleAndVersion());
    stepOnTimer(Step::Suspend);
}

void frmTime::stepOnTimer(Step step) {
    m_step = step;
    if (!m_poll->isActive())
        m_poll->start(PollEveryMs);
    poll();
}

void frmTime::poll() {
    if (m_step == Step::Read && m_context.Platform.escapeHeld())
        m_step = Step::Idle;
    // The link's exchanges end by their own time limits, so a busy link is only waited for.
    if (m_context.Busy())
        return;
    if (std::exchange(m_asked, false))
        replied(m_askedStep, m_context.Reply());
    if (m_step == Step::Idle) {
        m_poll->stop();
        return;
    }
    m_askedStep = m_step;
    m_asked = m_context.Request(m_step == Step::Suspend ? ClockRequest::Suspend
                                : m_step == Step::Read  ? ClockRequest::Read
                                : m_step == Step::Set   ? ClockRequest::Set
                                                        : ClockRequest::Resume);
}

// The request asked ended; the steps wanted meanwhile (stop, set, close) decide what follows.
void frmTime::replied(Step asked, const ClockReply& reply) {
    const bool ok = reply.Outcome.ok();
    switch (asked) {
    case Step::Suspend:
        if (!ok)
            lblDatelog->setText(reply.Outcome.Message);
        if (m_step == Step::Suspend)
            m_step = ok ? Step::Read : Step::Idle;
        return;
    case Step::Read:
        if (m_step != Step::Read)
            return;
        if (ok) {
            txtDateTime->setText(reply.Text);
        } else {
            lblDatelog->setText(reply.Outcome.Message);
            m_step = Step::Idle;
        }
        return;
    case Step::Set:
        m_step = Step::Idle;
        // A clock that could not be set is said so, and the dialog stays open to try again.
        if (!ok) {
            lblDatelog->setText(reply.Outcome.Message);
            return;
        }
        txtDateTime->setText(reply.Text);
        lblDatelog->setText(m_context.Texts.message(m_context.LanguageIndex(), 80));
        // The confirmation stays in view a moment before the dialog closes.
        QTimer::singleShot(1000, this, &QWidget::close);
        return;
    case Step::Resume:
        if (!ok)
            lblDatelog->setText(reply.Outcome.Message);
        if (m_step == Step::Resume)
            m_step = Step::Idle;
        return;
    case Step::Idle:
        return;
    }
}

bool frmTime::reading() const {
    return m_step == Step::Read || (m_asked && m_askedStep == Step::Read);
}

void frmTime::cmdAkt_Click() {
    if (m_step != Step::Set && m_step != Step::Resume)
        stepOnTimer(Step::Set);
}

void frmTime::closeEvent(QCloseEvent* event) {
    // Notifications come back whichever way the dialog closes; hidden, it still waits for the
    // link to be free and asks for them. A clock being set is set first, then they come back.
    if (m_step != Step::Set)
        stepOnTimer(Step::Resume);
    QDialog::closeEvent(event);
}
