#include "export/WordDocument.h"

#include "core/ExportFiles.h"
#include "core/ReportDocument.h"
#include "core/TextTable.h"
#include "export/ExportContext.h"
#include "export/ExportFailure.h"
#include "export/ZipArchive.h"
#include "ui/PlatformServices.h"

#include <QFile>

namespace {

constexpr int DataWord = 20; // "Messwerte" / "Data"

void fail(const ExportContext& context, const QString& reason) {
    const QString text = QStringLiteral("Open Word:") + reason;
    ReportExportFailure(context, text, text);
}

} // namespace

QString ExportToWordProcessor(const ExportContext& context) {
    const QString report = context.ReportText(QStringLiteral("A"));
    const NewExportFile file = CreateExportFile(
        context.MessDataPath, context.Texts.message(context.LanguageIndex, DataWord),
        QStringLiteral("odt"), context.Platform.now());
    if (!file.ok) {
        fail(context, file.description);
        return {};
    }
    if (const QString problem = WriteZipArchive(file.path, OdtParts(report)); !problem.isEmpty()) {
        // A broken half-written file is no document: leave none behind.
        QFile::remove(file.path);
        fail(context, problem);
        return {};
    }
    // The document stays where it is, for the user to open by hand.
    if (!context.Platform.openDocument(file.path))
        fail(context, NotOpenedReason(context, file.path));
    return file.path;
}
