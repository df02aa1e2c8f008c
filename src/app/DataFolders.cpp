#include "app/DataFolders.h"

#include "core/Installation.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString Folder(QStandardPaths::StandardLocation location, const QString& companyName,
               const QString& modelTitle, QStringList& failures) {
    // Names from Konfi.ini: each one folder, so the path stays below the user's own folder.
    const QString path = QDir::toNativeSeparators(QStandardPaths::writableLocation(location) +
                                                  QLatin1Char('/') + FolderName(companyName) +
                                                  QLatin1Char('/') + FolderName(modelTitle));
    if (!QDir().mkpath(path))
        failures << QStringLiteral("Ordner kann nicht angelegt werden: ") + path;
    return path;
}

} // namespace

DataFolders ResolveDataFolders(const QString& companyName, const QString& modelTitle) {
    DataFolders folders;
    folders.AppDataPath =
        Folder(QStandardPaths::GenericConfigLocation, companyName, modelTitle, folders.Failures);
    folders.MessDataPath =
        Folder(QStandardPaths::GenericDataLocation, companyName, modelTitle, folders.Failures);
    return folders;
}
