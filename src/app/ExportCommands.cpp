#include "app/frmTransfer.h"

#include "core/ReportText.h"
#include "core/SpreadsheetLayout.h"
#include "export/ExportContext.h"
#include "export/PrintReport.h"
#include "export/Spreadsheet.h"
#include "export/WordDocument.h"

#include <QClipboard>
#include <QGuiApplication>

ExportContext frmTransfer::exportContext() {
    return ExportContext{m_platform,
                         m_state.MessDataPath,
                         m_state.Texts,
                         m_state.languageIndex(),
                         programTitle(),
                         [this](const QString& mode) { return BuildReportText(mode); },
                         [this](const QString& text) { WriteLog(text); }};
}

SpreadsheetInputs frmTransfer::spreadsheetInputs() const {
    SpreadsheetInputs inputs;
    inputs.Records = SeriesRecords(m_state.Store, m_state.Kind);
    inputs.Stat = m_state.Stat;
    inputs.AbsoluteValues = m_state.AbsoluteValues;
    inputs.UserLimits = m_state.Limit;
    inputs.Device = m_state.Device;
    const TableRowTexts headers = m_session->columnHeaders();
    for (int c = 0; c < 4; ++c)
        inputs.ColumnCaptions[c] = headers[c];
    const QStringList& statistics = m_session->statisticLines();
    inputs.ChartTitle =
        statistics.isEmpty() ? m_session->statisticInputs().MemoryTitle : statistics.first();
    inputs.SheetName = m_state.message(20);
    inputs.LanguageIndex = m_state.languageIndex();
    return inputs;
}

void frmTransfer::cmdClipboard_Click() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(BuildReportText(QStringLiteral("A")));
}

void frmTransfer::cmdprint_Click() {
    PrintReport(m_platform, [this] { return BuildReportText(QStringLiteral("A")); });
}

void frmTransfer::cmdWord_Click() {
    Block_Buttons();
    ExportToWordProcessor(exportContext());
    Unblock_Buttons();
}

void frmTransfer::cmdExcel_Click() {
    Block_Buttons();
    ExportToSpreadsheet(exportContext(), spreadsheetInputs());
    Unblock_Buttons();
}
