#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"
#include "core/SettingsFiles.h"
#include "core/SettingsMessages.h"
#include "files/frmProjekt.h"
#include "platform/PlatformServices.h"

#include <QComboBox>
#include <QLabel>

void frmTransfer::Voreinstellungen(const QString& aktion) {
    SettingsOutcome outcome;
    if (const std::optional<SettingsOutcome> done = m_session->Voreinstellungen(aktion)) {
        outcome = *done;
        if (aktion == QLatin1String("CS"))
            setWindowTitle(m_state.message(14));
    } else if (aktion == QLatin1String("CL")) {
        const PortReading port = ReadPort(m_state.AppDataPath, m_state.Settings);
        // An empty file names no port either: the user is asked rather than the first one taken.
        m_display->showSavedPort(port.comboText, port.askForPort || !port.comboText);
        outcome = port.outcome;
    } else if (aktion == QLatin1String("PI")) {
        // The project dialog reads and writes its own controls and reports its failures.
        projectDialog()->ReadLabels();
        return;
    } else if (aktion == QLatin1String("PL")) {
        projectDialog()->LoadData();
        return;
    } else if (aktion == QLatin1String("PS")) {
        projectDialog()->SaveData();
        return;
    } else {
        return;
    }
    if (!outcome.ok)
        showSettingsFailure(aktion, outcome.description);
}

void frmTransfer::showSettingsFailure(const QString& aktion, const QString& description) {
    const QString settingsErrorText = SettingsErrorText(aktion, m_state.languageIndex());
    m_platform.messageBox(settingsErrorText + description, PlatformServices::Buttons::Ok,
                          PlatformServices::Icon::Critical, programTitle());
    WriteLog(settingsErrorText);
}
