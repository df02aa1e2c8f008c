#include "app/frmTransfer.h"

#include "core/SettingsFiles.h"
#include "core/SettingsMessages.h"
#include "ui/PlatformServices.h"

#include <QComboBox>
#include <QLabel>

void frmTransfer::Voreinstellungen(const QString& aktion) {
    AppSettings& s = m_state.Settings;
    const QString& settingsFolder = m_state.AppDataPath;
    SettingsOutcome outcome;

    if (aktion == QLatin1String("KL")) {
        outcome = ReadKonfi(m_state.ProgramFolder, s);
    } else if (aktion == QLatin1String("CL")) {
        const PortReading port = ReadPort(settingsFolder, s);
        if (port.comboText)
            ComboPort->setEditText(*port.comboText);
        if (port.askForPort)
            txtWait->setText(m_state.message(24));
        outcome = port.outcome;
    } else if (aktion == QLatin1String("CS")) {
        outcome = WritePort(settingsFolder, s);
        setWindowTitle(m_state.message(14));
    } else if (aktion == QLatin1String("LL")) {
        outcome = ReadLimits(settingsFolder, m_state.Limit);
    } else if (aktion == QLatin1String("LS")) {
        outcome = WriteLimits(settingsFolder, m_state.Limit);
    } else if (aktion == QLatin1String("TL")) {
        outcome = ReadKeyEvents(settingsFolder, s);
    } else if (aktion == QLatin1String("TS")) {
        outcome = WriteKeyEvents(settingsFolder, s);
    } else if (aktion == QLatin1String("SL")) {
        outcome = ReadLanguage(settingsFolder, s);
    } else if (aktion == QLatin1String("SS")) {
        outcome = WriteLanguage(settingsFolder, s);
    } else if (aktion == QLatin1String("PI")) {
        outcome = ReadProjectLabels(m_state.MessDataPath, s).outcome;
        emit projectSettingsChanged();
    } else if (aktion == QLatin1String("PL")) {
        const ProjectDataReading data = ReadProjectData(settingsFolder, m_platform.now());
        for (std::size_t i = 0; i < data.fields.size(); ++i) {
            if (data.fields[i])
                s.ProjectFields[i] = *data.fields[i];
        }
        if (data.date)
            s.ProjectDate = *data.date;
        outcome = data.outcome;
        emit projectSettingsChanged();
    } else if (aktion == QLatin1String("PS")) {
        outcome = WriteProjectData(settingsFolder, s.ProjectFields, s.ProjectDate);
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
