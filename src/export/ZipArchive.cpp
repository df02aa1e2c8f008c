#include "export/ZipArchive.h"

#include "core/Descriptions.h"

#include <QDateTime>
#include <QFile>
#include <cerrno>
#include <unzip.h>
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

// minizip reports system failures (a full disk, no permission) as ZIP_ERRNO with errno set, and
// a short write as a plain error.
QString failed(const QString& path, int code) {
    const QString reason = WriteFailureReason(path, code == ZIP_ERRNO ? errno : 0);
    return reason.isEmpty() ? Described("zip error %1").arg(code) : reason;
}

} // namespace

QString WriteZipArchive(const QString& path, const std::vector<OdtPart>& parts) {
    const QByteArray name = QFile::encodeName(path);
    zipFile zip = zipOpen(name.constData(), APPEND_STATUS_CREATE);
    if (zip == nullptr)
        return failed(path, ZIP_ERRNO);
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
            problem = failed(path, code);
            break;
        }
    }
    // Closing writes the directory: only then is the file an archive, and a full disk shows here.
    const int closed = zipClose(zip, nullptr);
    if (problem.isEmpty() && closed != ZIP_OK)
        problem = failed(path, closed);
    return problem;
}

QString ReadZipArchive(const QString& path, std::vector<OdtPart>& parts) {
    parts.clear();
    const QByteArray name = QFile::encodeName(path);
    unzFile zip = unzOpen(name.constData());
    if (zip == nullptr)
        return failed(path, ZIP_ERRNO);
    int code = unzGoToFirstFile(zip);
    while (code == UNZ_OK) {
        unz_file_info info{};
        QByteArray entry(1024, '\0');
        code = unzGetCurrentFileInfo(zip, &info, entry.data(), static_cast<uLong>(entry.size()),
                                     nullptr, 0, nullptr, 0);
        if (code != UNZ_OK || (code = unzOpenCurrentFile(zip)) != UNZ_OK)
            break;
        QByteArray data(static_cast<qsizetype>(info.uncompressed_size), '\0');
        const int read = unzReadCurrentFile(zip, data.data(), static_cast<unsigned>(data.size()));
        const int closed = unzCloseCurrentFile(zip);
        if (read != data.size() || closed != UNZ_OK) {
            code = read < 0 ? read : UNZ_BADZIPFILE;
            break;
        }
        parts.push_back({QString::fromUtf8(entry.constData()), data, info.compression_method != 0});
        code = unzGoToNextFile(zip);
    }
    unzClose(zip);
    if (code != UNZ_END_OF_LIST_OF_FILE) {
        parts.clear();
        return failed(path, code);
    }
    return {};
}
