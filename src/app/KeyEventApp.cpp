#include "app/frmTransfer.h"

#include "ui/PlatformServices.h"

void frmTransfer::startKeyEventApp() {
    AppSettings& s = m_state.Settings;
    if (s.KeyEventApp.isEmpty() || !s.KeyEventsEnabled || m_state.KeyEventAppStarted)
        return;
    m_state.KeyEventTaskId = m_platform.startProgram(s.KeyEventApp);
    m_state.KeyEventAppStarted = true;
    if (m_state.KeyEventTaskId == 0)
        WriteLog(QStringLiteral("Anwendung konnte nicht gestartet werden: ") + s.KeyEventApp);
}
