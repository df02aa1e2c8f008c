#include "export/ExportFailure.h"

#include "export/ExportContext.h"
#include "ui/PlatformServices.h"

#include <QDir>

void ReportExportFailure(const ExportContext& context, const QString& boxText,
                         const QString& logText) {
    context.Platform.messageBox(boxText, PlatformServices::Buttons::Ok,
                                PlatformServices::Icon::Critical, context.ProgramTitle);
    if (context.WriteLog)
        context.WriteLog(logText);
}

QString NotOpenedReason(const ExportContext& context, const QString& path) {
    return (context.LanguageIndex == 0 ? QStringLiteral("Keine Anwendung öffnet ")
                                       : QStringLiteral("No application opens ")) +
           QDir::toNativeSeparators(path);
}
