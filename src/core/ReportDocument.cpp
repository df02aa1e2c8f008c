#include "core/ReportDocument.h"

#include <algorithm>

namespace {

// XML 1.0 allows no control characters; an instrument's garbled marker must not break the file.
QString escaped(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text)
        if (c.unicode() >= 0x20)
            clean += c;
    return clean.toHtmlEscaped();
}

// A paragraph keeps runs of blanks only as <text:s/>: plain runs collapse to one blank.
QString paragraph(const QString& line) {
    QString xml = QStringLiteral("<text:p text:style-name=\"Report\">");
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] == u' ') {
            qsizetype run = 1;
            while (i + run < line.size() && line[i + run] == u' ')
                ++run;
            // One blank between words stays as it is; a run or a blank at either end needs the
            // element.
            if (run == 1 && i > 0 && i + 1 < line.size())
                xml += QLatin1Char(' ');
            else
                xml += run == 1 ? QStringLiteral("<text:s/>")
                                : QStringLiteral("<text:s text:c=\"%1\"/>").arg(run);
            i += run;
            continue;
        }
        const qsizetype next = line.indexOf(u' ', i);
        const qsizetype end = next < 0 ? line.size() : next;
        xml += escaped(line.mid(i, end - i));
        i = end;
    }
    return xml + QStringLiteral("</text:p>");
}

// The font, with the family and pitch that let a word processor without it pick a monospaced one.
QString fontFace() {
    return QStringLiteral("<office:font-face-decls><style:font-face style:name=\"%1\" "
                          "svg:font-family=\"'%1'\" style:font-family-generic=\"modern\" "
                          "style:font-pitch=\"fixed\"/></office:font-face-decls>")
        .arg(ReportFontName);
}

QString textProperties() {
    return QStringLiteral("<style:text-properties style:font-name=\"%1\" fo:font-size=\"%2pt\" "
                          "fo:font-weight=\"normal\" style:font-name-asian=\"%1\" "
                          "style:font-size-asian=\"%2pt\" style:font-weight-asian=\"normal\" "
                          "style:font-name-complex=\"%1\" style:font-size-complex=\"%2pt\" "
                          "style:font-weight-complex=\"normal\"/>")
        .arg(ReportFontName)
        .arg(ReportFontPoints);
}

const QString Namespaces =
    QStringLiteral("xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                   "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
                   "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                   "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
                   "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
                   "office:version=\"1.2\"");

const QString XmlDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");

QByteArray contentXml(const QString& reportText) {
    QString xml = XmlDeclaration + QStringLiteral("<office:document-content ") + Namespaces +
                  QLatin1Char('>') + fontFace() + QStringLiteral("<office:body><office:text>");
    for (const QString& line : ReportLines(reportText))
        xml += paragraph(line);
    xml += QStringLiteral("</office:text></office:body></office:document-content>");
    return xml.toUtf8();
}

QByteArray stylesXml() {
    const QString xml =
        XmlDeclaration + QStringLiteral("<office:document-styles ") + Namespaces +
        QLatin1Char('>') + fontFace() +
        QStringLiteral(
            "<office:styles><style:style style:name=\"Report\" style:family=\"paragraph\">"
            "<style:paragraph-properties fo:margin-top=\"0cm\" fo:margin-bottom=\"0cm\"/>") +
        textProperties() +
        QStringLiteral(
            "</style:style></office:styles>"
            "<office:automatic-styles><style:page-layout style:name=\"Page\">"
            "<style:page-layout-properties fo:page-width=\"21cm\" "
            "fo:page-height=\"29.7cm\" fo:margin-top=\"2cm\" fo:margin-bottom=\"2cm\" "
            "fo:margin-left=\"2.5cm\" fo:margin-right=\"2cm\"/></style:page-layout>"
            "</office:automatic-styles><office:master-styles>"
            "<style:master-page style:name=\"Standard\" style:page-layout-name=\"Page\"/>"
            "</office:master-styles></office:document-styles>");
    return xml.toUtf8();
}

QByteArray manifestXml() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<manifest:manifest "
        "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
        "manifest:version=\"1.2\">"
        "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
        "manifest:media-type=\"application/vnd.oasis.opendocument.text\"/>"
        "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
        "<manifest:file-entry manifest:full-path=\"styles.xml\" manifest:media-type=\"text/xml\"/>"
        "</manifest:manifest>");
}

} // namespace

QStringList ReportLines(const QString& reportText) {
    QStringList lines = reportText.split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::vector<QStringList> ReportPages(const QStringList& lines, int linesPerPage) {
    const qsizetype perPage = std::max(linesPerPage, 1);
    std::vector<QStringList> pages;
    for (qsizetype i = 0; i < lines.size(); i += perPage)
        pages.push_back(lines.mid(i, perPage));
    return pages;
}

std::vector<OdtPart> OdtParts(const QString& reportText) {
    return {{QStringLiteral("mimetype"),
             QByteArrayLiteral("application/vnd.oasis.opendocument.text"), false},
            {QStringLiteral("META-INF/manifest.xml"), manifestXml(), true},
            {QStringLiteral("styles.xml"), stylesXml(), true},
            {QStringLiteral("content.xml"), contentXml(reportText), true}};
}
