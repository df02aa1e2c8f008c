#include "core/MesFile.h"

#include "core/Descriptions.h"
#include "core/SettingsIo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

QString MesFolder(const QString& messDataPath) {
    return QDir(messDataPath).filePath(QStringLiteral("mes"));
}

MesFileOutcome EnsureMesFolder(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return MesFileOutcome::Success();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const QString text =
            Described("cannot create folder %1").arg(QDir::toNativeSeparators(folder));
        const QString reason = WriteFailureReason(folder, errno);
        return MesFileOutcome::Failure(reason.isEmpty() ? text
                                                        : text + QStringLiteral(": ") + reason);
    }
    return MesFileOutcome::Success();
}

QString OnlineMesPath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("Online.mes"));
}

QString WithMesExtension(const QString& folder, const QString& chosenName) {
    const QString path = QDir(folder).filePath(chosenName);
    // Only the file name counts: a folder named "x.mes" does not give the file an extension.
    if (QFileInfo(path).fileName().contains(QStringLiteral(".mes"), Qt::CaseInsensitive))
        return path;
    return path + QStringLiteral(".mes");
}

MesFileOutcome WriteMesFile(const QString& path, const QString& reportText) {
    QByteArray bytes = reportText.toUtf8();
    bytes += "\r\n";
    return WriteFileAtomically(path, bytes);
}

MesFileOutcome ReadMesFile(const QString& path, QByteArray& bytes) {
    bytes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return MesFileOutcome::Failure(file.errorString());
    const QString tooLarge =
        Described("file is larger than %1 MiB").arg(MaxMesFileSize / (1024 * 1024));
    if (file.size() > MaxMesFileSize)
        return MesFileOutcome::Failure(tooLarge);
    // The size may change while reading; never take more than the limit.
    bytes = file.read(MaxMesFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        bytes.clear();
        return MesFileOutcome::Failure(file.errorString());
    }
    if (bytes.size() > MaxMesFileSize) {
        bytes.clear();
        return MesFileOutcome::Failure(tooLarge);
    }
    return MesFileOutcome::Success();
}

QString MesCaption(const QString& path, int count) {
    return QFileInfo(path).fileName() + QStringLiteral(" (") + QString::number(count) +
           QLatin1Char(')');
}
