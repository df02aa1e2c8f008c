#include "export/ZipArchive.h"

#include <QDateTime>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <zip.h>
#include <zlib.h>

namespace {

zip_fileinfo fileInfo(const QDateTime& now) {
    zip_fileinfo info{};
    const QDate d = now.date();
    const QTime t = now.time();
    info.tmz_date = {static_cast<uInt>(t.second()),    static_cast<uInt>(t.minute()),
                     static_cast<uInt>(t.hour()),      static_cast<uInt>(d.day()),
                     static_cast<uInt>(d.month() - 1), static_cast<uInt>(d.year())};
    return info;
}

// minizip reports system failures (a full disk, no permission) as ZIP_ERRNO with errno set.
QString failed(const char* step, const QString& path, int code) {
    const QString reason = code == ZIP_ERRNO ? QString::fromLocal8Bit(std::strerror(errno))
                                             : QStringLiteral("zip error %1").arg(code);
    return QStringLiteral("%1 %2: %3").arg(QLatin1String(step), path, reason);
}

} // namespace

QString WriteZipArchive(const QString& path, const std::vector<OdtPart>& parts) {
    const QByteArray name = QFile::encodeName(path);
    zipFile zip = zipOpen(name.constData(), APPEND_STATUS_CREATE);
    if (zip == nullptr)
        return failed("creating", path, ZIP_ERRNO);
    const zip_fileinfo info = fileInfo(QDateTime::currentDateTime());
    QString problem;
    for (const OdtPart& part : parts) {
        const QByteArray entry = part.Name.toUtf8();
        const int method = part.Compressed ? Z_DEFLATED : 0;
        const int level = part.Compressed ? Z_DEFAULT_COMPRESSION : 0;
        int code = zipOpenNewFileInZip(zip, entry.constData(), &info, nullptr, 0, nullptr, 0,
                                       nullptr, method, level);
        if (code == ZIP_OK)
            code = zipWriteInFileInZip(zip, part.Data.constData(),
                                       static_cast<unsigned>(part.Data.size()));
        const int closed = zipCloseFileInZip(zip);
        if (code == ZIP_OK)
            code = closed;
        if (code != ZIP_OK) {
            problem = failed("writing", path, code);
            break;
        }
    }
    // Closing writes the directory: only then is the file an archive, and a full disk shows here.
    const int closed = zipClose(zip, nullptr);
    if (problem.isEmpty() && closed != ZIP_OK)
        problem = failed("writing", path, closed);
    return problem;
}
