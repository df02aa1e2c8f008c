#include "core/Descriptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr const char* Context = "Transfer";

struct Translation {
    const char* english;
    const char* german;
};

constexpr Translation German[] = {
    {"file not found", "Datei nicht gefunden"},
    {"file is larger than %1 MiB", "Datei ist größer als %1 MiB"},
    {"line \"%1\" has fewer than %2 ';'", "Zeile \"%1\" hat weniger als %2 ';'"},
    {"\"%1\" is not a number", "\"%1\" ist keine Zahl"},
    {"\"%1\" is neither a number nor True or False",
     "\"%1\" ist weder eine Zahl noch True oder False"},
    {"cannot create folder %1", "Ordner %1 kann nicht angelegt werden"},
    {"cannot create the file", "Datei kann nicht angelegt werden"},
    {"%1 could not be written: %2", "%1 konnte nicht geschrieben werden: %2"},
    {"no free file name in %1", "kein freier Dateiname in %1"},
    {"No space left on the disk", "Kein Speicherplatz mehr auf dem Datenträger"},
    {"The disk is read-only", "Der Datenträger ist schreibgeschützt"},
    {"No permission to write there", "Keine Schreibberechtigung"},
    {"The folder does not exist", "Der Ordner existiert nicht"},
    {"The disk cannot be read or written (input/output error)",
     "Der Datenträger kann nicht gelesen oder beschrieben werden (Ein-/Ausgabefehler)"},
    {"sheet name %1 not allowed", "Blattname %1 ist nicht zulässig"},
    {"zip error %1", "Zip-Fehler %1"},
    {"chart series %1 has no line", "Diagrammreihe %1 hat keine Linie"},
};

// The nearest folder on the way to path that exists: where the file system can be asked.
QString ExistingFolder(const QString& path) {
    QFileInfo info(QFileInfo(path).absolutePath());
    while (!info.exists() && !info.isRoot())
        info.setFile(info.absolutePath());
    return info.absoluteFilePath();
}

int DiagnosedError(const QString& path) {
    const QString folder = ExistingFolder(path);
    const QByteArray name = QFile::encodeName(folder);
    struct statvfs fs {};
    if (::statvfs(name.constData(), &fs) == 0) {
        if ((fs.f_flag & ST_RDONLY) != 0)
            return EROFS;
        if (fs.f_bavail == 0)
            return ENOSPC;
    }
    if (::access(name.constData(), W_OK) != 0)
        return errno == EROFS ? EROFS : EACCES;
    const QByteArray file = QFile::encodeName(path);
    if (QFileInfo::exists(path) && ::access(file.constData(), W_OK) != 0)
        return EACCES;
    return 0;
}

const char* Cause(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "No space left on the disk";
    case EROFS:
        return "The disk is read-only";
    case EACCES:
    case EPERM:
        return "No permission to write there";
    case ENOENT:
        return "The folder does not exist";
    case EIO:
        return "The disk cannot be read or written (input/output error)";
    default:
        return nullptr;
    }
}

} // namespace

QString Described(const char* english) {
    return QCoreApplication::translate(Context, english);
}

QString GermanDescriptions::translate(const char* context, const char* sourceText,
                                      const char* /*disambiguation*/, int /*n*/) const {
    if (std::strcmp(context, Context) != 0)
        return {};
    for (const Translation& t : German) {
        if (std::strcmp(t.english, sourceText) == 0)
            return QString::fromUtf8(t.german);
    }
    return {};
}

QString WriteFailureReason(const QString& path, int error) {
    const char* cause = Cause(error);
    if (cause == nullptr)
        cause = Cause(DiagnosedError(path));
    if (cause != nullptr)
        return Described(cause);
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : QString();
}
