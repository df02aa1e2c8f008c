#include "export/Spreadsheet.h"

#include "core/ExportFiles.h"
#include "core/TextTable.h"
#include "export/ExportContext.h"
#include "export/ExportFailure.h"
#include "export/Workbook.h"
#include "ui/PlatformServices.h"

#include <QFile>

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

    const NewExportFile file = CreateExportFile(context.MessDataPath, inputs.SheetName,
                                                QStringLiteral("xlsx"), context.Platform.now());
    if (!file.ok) {
        fail(context, file.description);
        return {};
    }
    if (const QString problem = WriteWorkbook(file.path, layout); !problem.isEmpty()) {
        QFile::remove(file.path);
        fail(context, problem);
        return {};
    }
    // The workbook stays where it is, for the user to open by hand.
    if (!context.Platform.openDocument(file.path))
        fail(context, NotOpenedReason(context, file.path));
    return file.path;
}
