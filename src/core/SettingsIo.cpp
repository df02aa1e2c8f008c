#include "core/SettingsIo.h"

#include "core/Descriptions.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>
#include <cerrno>

namespace {

// Settings files hold a handful of short lines; anything far larger is not one of them.
constexpr qint64 MaxSettingsFileSize = 1024 * 1024;

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes keep their
// Latin-1 control characters.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0)
            text.append(QChar(Windows1252High[byte - 0x80]));
        else
            text.append(QChar(byte));
    }
    return text;
}

QString TooLarge() {
    return Described("file is larger than %1 MiB").arg(MaxSettingsFileSize / (1024 * 1024));
}

// errno as the failing call left it, before anything else may change it.
SettingsOutcome WriteFailed(const QString& path, int error, const QString& qtDescription) {
    const QString reason = WriteFailureReason(path, error);
    return SettingsOutcome::Failure(reason.isEmpty() ? qtDescription : reason);
}

} // namespace

QString DecodeSettingsText(const QByteArray& bytes) {
    // Editors on Windows save "Unicode" text as UTF-16 behind a byte-order mark.
    if (const auto encoding = QStringConverter::encodingForData(bytes);
        encoding && *encoding != QStringConverter::Utf8) {
        QStringDecoder decoder(*encoding);
        return decoder(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes);
}

QStringList SplitSettingsLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

SettingsOutcome ReadSettingsLines(const QString& path,
                                  const std::optional<QStringList>& linesIfMissing,
                                  QStringList& lines) {
    lines.clear();
    if (!QFileInfo::exists(path)) {
        if (!linesIfMissing)
            return SettingsOutcome::Failure(Described("file not found"));
        const SettingsOutcome created = WriteSettingsLines(path, *linesIfMissing);
        if (!created.ok)
            return created;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SettingsOutcome::Failure(file.errorString());
    if (file.size() > MaxSettingsFileSize)
        return SettingsOutcome::Failure(TooLarge());
    const QByteArray bytes = file.read(MaxSettingsFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return SettingsOutcome::Failure(file.errorString());
    if (bytes.size() > MaxSettingsFileSize)
        return SettingsOutcome::Failure(TooLarge());
    lines = SplitSettingsLines(DecodeSettingsText(bytes));
    return SettingsOutcome::Success();
}

SettingsOutcome WriteSettingsLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (QString line : lines) {
        line.replace(u'\r', u' ').replace(u'\n', u' ');
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return WriteFileAtomically(path, bytes);
}

SettingsOutcome WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered, a full disk fails the write itself. Buffered, Qt 6.4 meets the error only while
    // commit() flushes, and renames the short file over the old one all the same.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WriteFailed(path, errno, file.errorString());
    errno = 0;
    // A write cut short by a full disk reports no error of its own, only fewer bytes.
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        const int error = errno;
        const QString description = file.errorString();
        file.cancelWriting();
        return WriteFailed(path, error, description);
    }
    errno = 0;
    if (!file.commit())
        return WriteFailed(path, errno, file.errorString());
    return SettingsOutcome::Success();
}
