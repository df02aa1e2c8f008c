#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The report as a word-processor document (OpenDocument text) and as printed pages. Both keep
// the columns that the report aligns with blanks, so both ask for a fixed-pitch font.

// Asked for by name; where it is missing a monospaced font takes its place.
inline const QString ReportFontName = QStringLiteral("Lucida Console");
constexpr int ReportFontPoints = 10;

// The lines of a report text: the pieces between CR LF, without the empty piece after the last.
QStringList ReportLines(const QString& reportText);

// The lines in pages of at most linesPerPage (at least one line a page); no pages for no lines.
std::vector<QStringList> ReportPages(const QStringList& lines, int linesPerPage);

// The parts of an OpenDocument text holding the report, one paragraph a line, blanks kept.
struct OdtPart {
    QString Name;
    QByteArray Data;
    bool Compressed = true;
};
// In package order: "mimetype" first and uncompressed, as the format requires.
std::vector<OdtPart> OdtParts(const QString& reportText);
