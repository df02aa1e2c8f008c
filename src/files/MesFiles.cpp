#include "files/MesFiles.h"

#include "core/MesFile.h"
#include "core/TextTable.h"
#include "platform/PlatformServices.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int OpenCaption = 1;
constexpr int SaveCaption = 2;

const QString Filter = QStringLiteral("Messdaten (*.mes)");

void report(PlatformServices& platform, const MesFileContext& context, const QString& german,
            const QString& english, const QString& path, const QString& description,
            bool online = false) {
    const QString text = (context.LanguageIndex == 0 ? german : english) +
                         QDir::toNativeSeparators(path) + QStringLiteral(": ") + description;
    if (online && context.OnlineFailure) {
        context.OnlineFailure(text);
        return;
    }
    platform.messageBox(text, PlatformServices::Buttons::Ok, PlatformServices::Icon::Critical,
                        context.ProgramTitle);
    if (context.WriteLog)
        context.WriteLog(text);
}

void reportSaveFailure(PlatformServices& platform, const MesFileContext& context,
                       const QString& path, const QString& description, bool online) {
    report(platform, context, QStringLiteral("Fehler beim Speichern der Datei "),
           QStringLiteral("Error saving file "), path, description, online);
}

void reportReadFailure(PlatformServices& platform, const MesFileContext& context,
                       const QString& path, const QString& description) {
    report(platform, context, QStringLiteral("Fehler beim Lesen der Datei "),
           QStringLiteral("Error reading file "), path, description);
}

// The dialog gave nothing, or a name of a single blank.
bool noName(const QString& chosen) {
    return QFileInfo(chosen).fileName().trimmed().isEmpty();
}

} // namespace

SaveMesResult SaveMesFile(PlatformServices& platform, const MesFileContext& context,
                          bool& speichernShow, const std::function<QString()>& reportText) {
    SaveMesResult result;
    const bool online = !speichernShow;
    const QString folder = MesFolder(context.MessDataPath);
    if (const MesFileOutcome made = EnsureMesFolder(folder); !made.ok) {
        // The online call still owes the next click its dialog.
        speichernShow = true;
        result.Status = MesFileStatus::Failed;
        result.Path = folder;
        reportSaveFailure(platform, context, folder, made.description, online);
        return result;
    }

    if (online) {
        result.Path = OnlineMesPath(folder);
        speichernShow = true;
    } else {
        const QString chosen = platform.saveFileName(
            context.Texts.caption(context.LanguageIndex, SaveCaption), folder, Filter);
        if (noName(chosen))
            return result;
        result.Path = WithMesExtension(folder, chosen);
    }

    const MesFileOutcome written = WriteMesFile(result.Path, reportText());
    if (!written.ok) {
        result.Status = MesFileStatus::Failed;
        reportSaveFailure(platform, context, result.Path, written.description, online);
        return result;
    }
    result.Status = MesFileStatus::Done;
    return result;
}

OpenMesResult OpenMesFile(PlatformServices& platform, const MesFileContext& context,
                          const DeviceInfo& device) {
    OpenMesResult result;
    const QString folder = MesFolder(context.MessDataPath);
    if (const MesFileOutcome made = EnsureMesFolder(folder); !made.ok) {
        // The dialog can still reach files elsewhere; it then opens in its default folder.
        if (context.WriteLog)
            context.WriteLog(made.description);
    }
    const QString chosen = platform.openFileName(
        context.Texts.caption(context.LanguageIndex, OpenCaption), folder, Filter);
    if (noName(chosen))
        return result;
    result.Path = QDir(folder).filePath(chosen);

    QByteArray bytes;
    if (const MesFileOutcome read = ReadMesFile(result.Path, bytes); !read.ok) {
        result.Status = MesFileStatus::Failed;
        reportReadFailure(platform, context, result.Path, read.description);
        return result;
    }
    result.Reading = ReadMesText(bytes, device);
    if (result.Reading.ValuesRead == 0) {
        // Binary or foreign text: the table keeps what it holds, perhaps a download not saved.
        result.Status = MesFileStatus::Failed;
        reportReadFailure(platform, context, result.Path,
                          context.LanguageIndex == 0 ? QStringLiteral("keine lesbaren Messwerte")
                                                     : QStringLiteral("no readable values"));
        return result;
    }
    result.Status = MesFileStatus::Done;
    return result;
}

void ReportMesLeftOut(PlatformServices& platform, const MesFileContext& context,
                      const OpenMesResult& opened, const QString& limitText) {
    if (opened.Reading.LeftOut == 0)
        return;
    const int n = opened.Reading.LeftOut;
    const QString text = limitText + QStringLiteral(" 5000: ") +
                         (context.LanguageIndex == 0
                              ? QStringLiteral("%1 weitere Werte der Datei %2 wurden nicht geladen")
                              : QStringLiteral("%1 more values of the file %2 were not loaded"))
                             .arg(n)
                             .arg(QDir::toNativeSeparators(opened.Path));
    platform.messageBox(text, PlatformServices::Buttons::Ok, PlatformServices::Icon::Information,
                        context.ProgramTitle);
    if (context.WriteLog)
        context.WriteLog(text);
}
