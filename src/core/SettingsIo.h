#pragma once

#include "core/SettingsOutcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Line-oriented settings files: whole-file reads, atomic whole-file writes.

// Bytes behind a byte-order mark of UTF-16 or UTF-32 are read in that encoding; bytes that are
// valid UTF-8 as UTF-8 (a leading byte-order mark dropped); anything else as Windows-1252, the
// 8-bit code page such files were written in on Windows.
QString DecodeSettingsText(const QByteArray& bytes);

// A line ends at CR, LF or CR LF; a final line end does not start another line.
QStringList SplitSettingsLines(const QString& text);

// Reads the lines of the file at path. When the file does not exist: with linesIfMissing the file
// is first created holding those lines; without, the read fails with "file not found".
SettingsOutcome ReadSettingsLines(const QString& path,
                                  const std::optional<QStringList>& linesIfMissing,
                                  QStringList& lines);

// Replaces the file at path with the lines, each ending CR LF, in UTF-8. The file is written under
// a temporary name and renamed, so a failed write leaves the old file whole. CR or LF inside a
// line would start a new line and shift every later one; they are written as blanks.
SettingsOutcome WriteSettingsLines(const QString& path, const QStringList& lines);

// Replaces the file whole or not at all: a full disk or a crash leaves the old file as it was.
SettingsOutcome WriteFileAtomically(const QString& path, const QByteArray& bytes);
