#include "app/frmTransfer.h"

#include "extras/frmTastatur.h"
#include "session/CountedNotices.h"
#include "session/KeyEvents.h"
#include "session/ReceiveNotices.h"

KeyEventContext frmTransfer::keyEventContext() {
    return KeyEventContext{m_state.Settings,
                           m_state.AppDataPath,
                           m_state.KeyEventAppStarted,
                           m_state.KeyEventTaskId,
                           m_state.KeyEventGoneShown,
                           m_state.KeyEventNoDisplayShown,
                           m_platform,
                           [this] { return programTitle(); },
                           [this](const QString& text) { WriteLog(text); },
                           [this](const QString& text) {
                               // One box until the target is started again; every value counted.
                               CountedNotices& notices = m_session->notices();
                               if (!std::exchange(m_state.KeyEventGoneShown, true))
                                   notices.settle(KeyEventGoneNotice);
                               notices.raise(KeyEventGoneNotice, text);
                           }};
}

void frmTransfer::startKeyEvents() {
    KeyEventContext context = keyEventContext();
    StartKeyEvents(context);
}

frmTastatur* frmTransfer::keyEventDialog() {
    if (m_keyEventDialog == nullptr) {
        m_keyEventDialog = new frmTastatur(
            TastaturContext{keyEventContext(), m_state.Texts,
                            [this](const QString& aktion) { Voreinstellungen(aktion); }},
            this);
    }
    return m_keyEventDialog;
}

void frmTransfer::mnuTastaturevent_Click() {
    Voreinstellungen(QStringLiteral("TL"));
    frmTastatur* dialog = keyEventDialog();
    // Shown again while open, the dialog shows the settings just read.
    if (dialog->isVisible())
        dialog->Form_Activate();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void frmTransfer::forwardKeyEvents(int slot) {
    KeyEventContext context = keyEventContext();
    ForwardKeyEvents(context, m_state.Store.at(MemoryKind::Online, slot),
                     m_state.Device.DecimalsMode);
}
