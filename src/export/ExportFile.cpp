#include "export/ExportFile.h"

#include "core/Descriptions.h"
#include "core/ExportFiles.h"
#include "export/ExportContext.h"
#include "platform/PlatformServices.h"

#include <QDir>
#include <QFile>

void ReportExportFailure(const ExportContext& context, const QString& boxText,
                         const QString& logText) {
    context.Platform.messageBox(boxText, PlatformServices::Buttons::Ok,
                                PlatformServices::Icon::Critical, context.ProgramTitle);
    if (context.WriteLog)
        context.WriteLog(logText);
}

QString WriteAndOpen(const ExportContext& context, const QString& word, const QString& suffix,
                     const std::function<QString(const QString& path)>& write,
                     const std::function<void(const QString& reason)>& fail) {
    const NewExportFile file =
        CreateExportFile(context.MessDataPath, word, suffix, context.Platform.now());
    if (!file.ok) {
        fail(file.description);
        return {};
    }
    if (const QString problem = write(file.path); !problem.isEmpty()) {
        // A half-written file is of no use to anybody: leave none behind.
        QFile::remove(file.path);
        fail(Described("%1 could not be written: %2")
                 .arg(QDir::toNativeSeparators(file.path), problem));
        return {};
    }
    if (!context.Platform.openDocument(file.path))
        fail((context.LanguageIndex == 0 ? QStringLiteral("Keine Anwendung öffnet ")
                                         : QStringLiteral("No application opens ")) +
             QDir::toNativeSeparators(file.path));
    return file.path;
}
