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
            ProjektContext{m_state.Settings, m_state.AppDataPath, m_state.MessDataPath,
                           m_state.Texts, m_platform, [this] { return programTitle(); },
                           [this](const QString& text) { WriteLog(text); },
                           [this](const QString& text) {
                               m_session->notices().raise(ProjectDataNotice, text);
                           }},
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
    ReportInputs inputs;
    inputs.Project = projectDialog()->reportProject();
    inputs.MemoryTitle = statisticInputs().MemoryTitle;
    inputs.LanguageIndex = m_state.languageIndex();
    inputs.Device = m_state.Device;
    inputs.AbsoluteValues = m_state.AbsoluteValues;
    for (int i = 0; i < lstStat->count(); ++i)
        inputs.StatisticList << lstStat->item(i)->text();
    inputs.FirstUnit = m_state.Stat.FirstUnit;
    inputs.UserLimits = m_state.Limit;
    for (int c = 0; c < 3; ++c) {
        if (const QTableWidgetItem* header = MSFlex->horizontalHeaderItem(c))
            inputs.ColumnHeaders[c] = header->text();
    }
    // The rows as the table shows them: straight from the store while they stand in slot order,
    // read back from the table once the user sorted it.
    std::vector<MeasurementRecord> sorted;
    const MemoryKind kind = m_state.Kind;
    if (m_rowsInSlotOrder) {
        inputs.Records = m_state.Store.Slots(kind, MSFlex->rowCount());
    } else {
        sorted.reserve(static_cast<std::size_t>(MSFlex->rowCount()));
        for (int r = 0; r < MSFlex->rowCount(); ++r) {
            const QTableWidgetItem* number = MSFlex->item(r, 1);
            const int slot = number != nullptr ? number->data(Qt::UserRole).toInt() : 0;
            if (MeasurementStore::IsSlot(kind, slot))
                sorted.push_back(m_state.Store.at(kind, slot));
        }
        inputs.Records = sorted;
    }
    inputs.RowTexts = &m_reportRows;
    return ::BuildReportText(mode, inputs);
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
