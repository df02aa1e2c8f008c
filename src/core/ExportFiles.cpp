#include "core/ExportFiles.h"

#include "core/Descriptions.h"
#include "core/MesFile.h"

#include <QDir>
#include <QFile>
#include <cerrno>

namespace {

constexpr int MaxTries = 1000;

} // namespace

QString ExportFolder(const QString& messDataPath, const QString& suffix) {
    return QDir(messDataPath).filePath(suffix);
}

NewExportFile CreateExportFile(const QString& messDataPath, const QString& word,
                               const QString& suffix, const QDateTime& now) {
    NewExportFile result;
    const QString folder = ExportFolder(messDataPath, suffix);
    if (const MesFileOutcome made = EnsureMesFolder(folder); !made.ok) {
        result.description = made.description;
        return result;
    }
    // File names take no ":" on every desktop.
    const QString base =
        word + QLatin1Char(' ') + now.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    const QDir dir(folder);
    for (int n = 1; n <= MaxTries; ++n) {
        const QString name =
            base + (n > 1 ? QStringLiteral(" (%1)").arg(n) : QString()) + QLatin1Char('.') + suffix;
        QFile file(dir.filePath(name));
        errno = 0;
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            result.ok = true;
            result.path = file.fileName();
            return result;
        }
        if (!file.exists()) {
            const QString reason = WriteFailureReason(file.fileName(), errno);
            result.description = Described("%1 could not be written: %2")
                                     .arg(QDir::toNativeSeparators(file.fileName()),
                                          reason.isEmpty() ? file.errorString() : reason);
            return result;
        }
    }
    result.description = Described("no free file name in %1").arg(QDir::toNativeSeparators(folder));
    return result;
}
