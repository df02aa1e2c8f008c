#include "app/frmTransfer.h"

#include "core/MesFile.h"
#include "core/ReportText.h"
#include "files/MesFiles.h"
#include "files/frmProjekt.h"
#include "session/CountedNotices.h"
#include "session/ReceiveNotices.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

frmProjekt* frmTransfer::projectDialog() {
    if (m_projectDialog == nullptr) {
        m_projectDialog = new frmProjekt(
            ProjektContext{
                m_state.Settings, m_state.AppDataPath, m_state.MessDataPath, m_state.Texts,
                m_platform, [this] { return programTitle(); },
                [this](const QString& text) { WriteLog(text); },
                [this](const QString& text) {
                    m_session->notices().raise(ProjectDataNotice, text);
                },
                [this](const ReportProject& project) { m_session->setProject(project); }},
            this);
    }
    return m_projectDialog;
}

void frmTransfer::cmdProjekt_Click() {
    Voreinstellungen(QStringLiteral("PI"));
    Voreinstellungen(QStringLiteral("PL"));
    frmProjekt* dialog = projectDialog();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

QString frmTransfer::BuildReportText(const QString& mode) {
    Voreinstellungen(QStringLiteral("PL"));
    return m_session->BuildReportText(mode);
}

MesFileContext frmTransfer::mesFileContext() const {
    return MesFileContext{
        m_state.MessDataPath,
        m_state.Texts,
        m_state.languageIndex(),
        programTitle(),
        [this](const QString& text) { WriteLog(text); },
        [this](const QString& text) { m_session->notices().raise(OnlineFileNotice, text); }};
}

void frmTransfer::cmdSave_Click() {
    const bool online = !m_state.SpeichernShow;
    const SaveMesResult saved =
        SaveMesFile(m_platform, mesFileContext(), m_state.SpeichernShow,
                    [this] { return BuildReportText(QStringLiteral("A")); });
    if (online && saved.Status == MesFileStatus::Done)
        m_session->notices().settle(OnlineFileNotice);
}

void frmTransfer::cmdOpen_Click() {
    const TransferSession::Command command(*m_session, "cmdOpen_Click");
    if (!command)
        return;
    const OpenMesResult opened = OpenMesFile(m_platform, mesFileContext(), m_state.Device);
    if (opened.Status != MesFileStatus::Done)
        return;
    m_state.Kind = MemoryKind::FE;
    MSFlex->setRowCount(0);
    Reset_Statistic();
    StoreMesRecords(opened.Reading, m_state.Store);
    {
        const QSignalBlocker block(optFE);
        optFE->setChecked(true);
    }
    m_state.FileLoaded = true;
    FillMSFlexOne();
    optFE->setText(MesCaption(opened.Path, static_cast<int>(opened.Reading.Records.size())));
    showExportButtons();
    ReportMesLeftOut(m_platform, mesFileContext(), opened, m_state.message(53));
}
