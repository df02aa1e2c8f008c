#include "export/WordDocument.h"

#include "core/ReportDocument.h"
#include "core/TextTable.h"
#include "export/ExportContext.h"
#include "export/ExportFile.h"
#include "export/ZipArchive.h"

namespace {

constexpr int DataWord = 20; // "Messwerte" / "Data"

void fail(const ExportContext& context, const QString& reason) {
    const QString text = QStringLiteral("Open Word:") + reason;
    ReportExportFailure(context, text, text);
}

} // namespace

QString ExportToWordProcessor(const ExportContext& context) {
    const QString report = context.ReportText(QStringLiteral("A"));
    return WriteAndOpen(
        context, context.Texts.message(context.LanguageIndex, DataWord), QStringLiteral("odt"),
        [&](const QString& path) { return WriteZipArchive(path, OdtParts(report)); },
        [&](const QString& reason) { fail(context, reason); });
}
