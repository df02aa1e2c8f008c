#include "ReadBack.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <unzip.h>

QByteArray ZipEntry(const QString& archive, const QString& entry) {
    unzFile zip = unzOpen(QFile::encodeName(archive).constData());
    if (zip == nullptr)
        return {};
    QByteArray data;
    if (unzLocateFile(zip, entry.toUtf8().constData(), 1) == UNZ_OK &&
        unzOpenCurrentFile(zip) == UNZ_OK) {
        char buffer[65536];
        int n = 0;
        while ((n = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            data.append(buffer, n);
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return data;
}

QString ToolOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QJsonObject ReadWorkbook(const QString& path) {
    // Debian's openpyxl belongs to the system's interpreter, not to any other on the PATH.
    const QString json =
        ToolOutput(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral(TRANSFER_SOURCE_DIR "/tests/export/read_workbook.py"), path});
    return QJsonDocument::fromJson(json.toUtf8()).object();
}
