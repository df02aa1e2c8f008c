#include "export/Spreadsheet.h"

#include "core/TextTable.h"
#include "export/ExportContext.h"
#include "export/ExportFile.h"
#include "export/Workbook.h"
#include "platform/PlatformServices.h"

namespace {

constexpr int ChartQuestion = 49; // "Excel inklusive Chart erstellen?"

void fail(const ExportContext& context, const QString& reason) {
    ReportExportFailure(context, reason, QStringLiteral("Open Excel:") + reason);
}

} // namespace

QString ExportToSpreadsheet(const ExportContext& context, SpreadsheetInputs inputs) {
    bool withChart = false;
    if (ChartPossible(inputs))
        withChart = context.Platform.messageBox(
                        context.Texts.message(context.LanguageIndex, ChartQuestion),
                        PlatformServices::Buttons::YesNo, PlatformServices::Icon::Question,
                        context.ProgramTitle) == PlatformServices::Answer::Yes;
    inputs.HeaderText = context.ReportText(QStringLiteral("P"));
    const SpreadsheetLayout layout = BuildSpreadsheetLayout(inputs, withChart);
    return WriteAndOpen(
        context, inputs.SheetName, QStringLiteral("xlsx"),
        [&](const QString& path) { return WriteWorkbook(path, layout); },
        [&](const QString& reason) { fail(context, reason); });
}
