#include "ReadBack.h"
#include "core/QStringPrinter.h"
#include "core/ReportDocument.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"
#include "support/TinyFileSystem.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// A main window showing an FE memory of the given values.
struct Shown {
    TestInstallation install;
    std::unique_ptr<frmTransfer> w;

    explicit Shown(const std::vector<double>& values, const QStringList& units = {"µm"}) {
        w = install.startScripted();
        w->Unblock_Buttons();
        QStringList lines;
        for (std::size_t i = 0; i < values.size(); ++i)
            lines << InstrumentLine(static_cast<int>(i) + 1, values[i], units[i % units.size()],
                                    QStringLiteral(" Fe"));
        FeedDownload(*w, MemoryKind::FE, lines);
        w->optFE->click();
    }
    FakePlatformServices& platform() { return install.platform; }
    QString log() const { return ReadText(w->state().Log.path()); }
    bool exportsEnabled() const {
        return w->cmdprint->isEnabled() && w->cmdWord->isEnabled() &&
               w->cmdClipboard->isEnabled() && w->cmdExcel->isEnabled() && w->cmdEnde->isEnabled();
    }
};

std::vector<double> Values(int n) {
    std::vector<double> values;
    for (int i = 0; i < n; ++i)
        values.push_back(80 + (i * 37 % 4000) / 100.0);
    return values;
}

TEST(Clipboard, HoldsTheFullReportOfTheLatestClickOnly) {
    Shown shown({95.4, 123.4, 101});
    shown.w->cmdClipboard->click();
    const QString first = QGuiApplication::clipboard()->text();
    EXPECT_EQ(first, shown.w->BuildReportText("A"));
    EXPECT_TRUE(first.contains("Mittelwert"));

    FeedDownload(*shown.w, MemoryKind::FE, {InstrumentLine(1, 42, "µm", " Fe")});
    shown.w->optFE->click();
    shown.w->cmdClipboard->click();
    const QString second = QGuiApplication::clipboard()->text();
    EXPECT_EQ(second, shown.w->BuildReportText("A"));
    EXPECT_NE(second, first);
    EXPECT_TRUE(shown.platform().messages.empty());
}

TEST(Print, CancelledDialogPrintsNothingAndSaysNothing) {
    Shown shown({95.4});
    const QString pdf = shown.install.dataHome() + "/report.pdf";
    shown.platform().printFile = pdf;
    shown.platform().printerAccepted = false;
    shown.w->cmdprint->click();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(shown.platform().messages.empty());
}

// The words pdftotext finds, each with its page and horizontal extent.
struct PdfWord {
    int Page = 0;
    double Left = 0;
    double Right = 0;
    QString Text;
};

QList<PdfWord> PdfWords(const QString& boxes) {
    QList<PdfWord> words;
    int page = 0;
    const QRegularExpression item(
        R"re(<page |<word xMin="([0-9.]+)"[^>]*xMax="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    for (auto m = item.globalMatch(boxes); m.hasNext();) {
        const QRegularExpressionMatch match = m.next();
        if (match.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
            continue;
        }
        words.append(
            {page, match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3)});
    }
    return words;
}

TEST(Print, PdfHoldsEveryLineAlignedOverPagesInAFixedPitchFont) {
    Shown shown(Values(150));
    const QString pdf = shown.install.dataHome() + "/report.pdf";
    shown.platform().printFile = pdf;
    shown.platform().printerAccepted = true;
    shown.w->cmdprint->click();
    ASSERT_TRUE(QFile::exists(pdf));

    const QString layout = ToolOutput("pdftotext", {"-layout", pdf, "-"});
    ASSERT_FALSE(layout.isEmpty()) << "pdftotext failed";
    EXPECT_GE(layout.count(QLatin1Char('\f')), 3); // 150 rows take three pages
    // Every line of the report, in order, across the page breaks.
    QStringList printed;
    for (const QString& line : layout.split(QRegularExpression("[\n\f]")))
        if (!line.trimmed().isEmpty())
            printed << line.simplified();
    QStringList expected;
    for (const QString& line : ReportLines(shown.w->BuildReportText("A")))
        if (!line.trimmed().isEmpty())
            expected << line.simplified();
    EXPECT_EQ(printed, expected);
    // Within a page the text keeps its columns; across pages the words of the units stand at
    // one horizontal position.
    for (const QString& page : layout.split(QLatin1Char('\f'))) {
        QSet<qsizetype> unitColumns;
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (line.contains(QStringLiteral(" Fe")))
                unitColumns.insert(line.indexOf(QStringLiteral("µm")));
        EXPECT_LE(unitColumns.size(), 1) << page.toStdString();
    }
    const QString boxes = ToolOutput("pdftotext", {"-bbox", pdf, "-"});
    const QRegularExpression unitWord(R"re(<word xMin="([0-9.]+)"[^>]*>µm</word>)re");
    QSet<QString> unitLeft;
    int units = 0;
    for (auto m = unitWord.globalMatch(boxes); m.hasNext(); ++units)
        unitLeft.insert(m.next().captured(1));
    EXPECT_EQ(units, 150 + 4); // the rows and the four statistics lines with a unit
    EXPECT_EQ(unitLeft.size(), 2) << QStringList(unitLeft.values()).join(' ').toStdString();

    // Whatever font the system gave: every character on one advance, so that each word starts
    // a whole number of characters from the left margin of its page.
    const QList<PdfWord> words = PdfWords(boxes);
    ASSERT_FALSE(words.isEmpty());
    const double advance = (words[0].Right - words[0].Left) / words[0].Text.size();
    QMap<int, double> pageLeft;
    for (const PdfWord& word : words)
        pageLeft[word.Page] = std::min(pageLeft.value(word.Page, word.Left), word.Left);
    int offGrid = 0;
    for (const PdfWord& word : words) {
        const double width = (word.Right - word.Left) / word.Text.size();
        const double columns = (word.Left - pageLeft[word.Page]) / advance;
        if (std::abs(width - advance) > advance / 100 ||
            std::abs(columns - std::round(columns)) > 0.05)
            ++offGrid;
    }
    EXPECT_EQ(offGrid, 0) << "of " << words.size() << " words at an advance of " << advance;
}

// The paragraphs of an OpenDocument text with their blanks.
QStringList OdtLines(const QByteArray& contentXml) {
    QStringList lines;
    QXmlStreamReader xml(contentXml);
    QString line;
    bool inParagraph = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("p")) {
            inParagraph = true;
            line.clear();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("s")) {
            const QString c = xml.attributes().value("text:c").toString();
            line += QString(c.isEmpty() ? 1 : c.toInt(), ' ');
        } else if (xml.isCharacters() && inParagraph) {
            line += xml.text();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("p")) {
            lines << line;
            inParagraph = false;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return lines;
}

TEST(WordDocument, EachClickWritesANewDocumentOfTheReportAndOpensIt) {
    Shown shown({95.4, 123.4, 101});
    shown.w->cmdWord->click();
    shown.w->cmdWord->click();
    ASSERT_EQ(shown.platform().openedDocuments.size(), 2);
    const QString first = shown.platform().openedDocuments[0];
    EXPECT_NE(first, shown.platform().openedDocuments[1]);
    EXPECT_TRUE(QFile::exists(shown.platform().openedDocuments[1]));
    EXPECT_EQ(QFileInfo(first).absolutePath(), shown.w->state().MessDataPath + "/odt");
    EXPECT_TRUE(first.endsWith(".odt"));
    EXPECT_TRUE(shown.platform().messages.empty());
    EXPECT_TRUE(shown.exportsEnabled());

    EXPECT_EQ(ZipEntry(first, "mimetype"), "application/vnd.oasis.opendocument.text");
    EXPECT_EQ(OdtLines(ZipEntry(first, "content.xml")), ReportLines(shown.w->BuildReportText("A")));
    const QByteArray styles = ZipEntry(first, "styles.xml");
    EXPECT_TRUE(styles.contains("style:font-name=\"Lucida Console\" fo:font-size=\"10pt\" "
                                "fo:font-weight=\"normal\""));
}

TEST(WordDocument, FailuresShowOpenWordWithTheReasonAndLeaveTheButtonsUsable) {
    Shown shown({95.4});
    shown.platform().openDocumentSucceeds = false;
    shown.w->cmdWord->click();
    ASSERT_EQ(shown.platform().messages.size(), 1u);
    const QString text = shown.platform().messages[0].text;
    EXPECT_TRUE(text.startsWith("Open Word:Keine Anwendung öffnet ")) << text.toStdString();
    EXPECT_EQ(shown.platform().messages[0].buttons, PlatformServices::Buttons::Ok);
    EXPECT_TRUE(shown.log().contains(text));
    EXPECT_TRUE(shown.exportsEnabled());

    // No folder for the documents: nothing is opened.
    shown.platform().clearMessages();
    shown.platform().openedDocuments.clear();
    QDir(shown.w->state().MessDataPath + "/odt").removeRecursively();
    WriteText(shown.w->state().MessDataPath + "/odt", "in the way");
    shown.w->cmdWord->click();
    ASSERT_EQ(shown.platform().messages.size(), 1u);
    EXPECT_TRUE(shown.platform().messages[0].text.startsWith("Open Word:"));
    EXPECT_TRUE(shown.platform().openedDocuments.isEmpty());
    EXPECT_TRUE(shown.exportsEnabled());
}

// Const, so that looking up a missing key does not add it.
const QJsonObject Cell(const QJsonObject& book, const QString& address) {
    return book["cells"].toObject()[address].toObject();
}

QString ExportWorkbook(Shown& shown, PlatformServices::Answer chart) {
    shown.platform().answers = {chart};
    shown.w->cmdExcel->click();
    EXPECT_EQ(shown.platform().openedDocuments.size(), 1);
    EXPECT_TRUE(shown.exportsEnabled());
    return shown.platform().openedDocuments.value(0);
}

TEST(Spreadsheet, ThreeValuesWithChartReadBackCellByCell) {
    Shown shown({95.44, 123.45, 101});
    const QString path = ExportWorkbook(shown, PlatformServices::Answer::Yes);
    ASSERT_EQ(shown.platform().messages.size(), 1u);
    EXPECT_EQ(shown.platform().messages[0].text, "Excel inklusive Chart erstellen?");
    EXPECT_EQ(QFileInfo(path).absolutePath(), shown.w->state().MessDataPath + "/xlsx");
    const QJsonObject book = ReadWorkbook(path);
    ASSERT_FALSE(book.isEmpty()) << "read-back failed";

    EXPECT_EQ(book["sheets"].toArray(), QJsonArray({"Messwerte", "Chart"}));
    EXPECT_EQ(book["chartsheets"].toArray(), QJsonArray({"Chart"}));
    EXPECT_EQ(book["active"].toString(), "Chart");
    // Header: the memory title, an empty row, the heading and an empty row.
    EXPECT_EQ(Cell(book, "A1")["value"].toString(), "FE-Speicher");
    EXPECT_EQ(Cell(book, "A3")["value"].toString(), "Statistik:");
    const QStringList labels = {"Anzahl",     "Minimum",  "Maximum",
                                "Mittelwert", "Std.Abw.", "Regel 80/20 ok:"};
    for (int i = 0; i < labels.size(); ++i)
        EXPECT_EQ(Cell(book, QStringLiteral("A%1").arg(5 + i))["value"].toString(), labels[i]);
    EXPECT_EQ(Cell(book, "B5")["value"].toInt(), 3);
    EXPECT_EQ(Cell(book, "B5")["type"].toString(), "int");
    EXPECT_EQ(Cell(book, "B5")["format"].toString(), "###0_______)");
    EXPECT_DOUBLE_EQ(Cell(book, "B6")["value"].toDouble(), 95.44);
    EXPECT_EQ(Cell(book, "B8")["type"].toString(), "float");
    EXPECT_EQ(Cell(book, "B8")["format"].toString(), "###,##0.00_)");
    // The unit as the instrument sent it, blanks included.
    EXPECT_EQ(Cell(book, "C6")["value"].toString(), "µm  ");
    // Two empty rows, the captions, an empty row.
    EXPECT_EQ(Cell(book, "A11")["value"], QJsonValue::Undefined);
    EXPECT_EQ(Cell(book, "A12")["value"], QJsonValue::Undefined);
    EXPECT_EQ(Cell(book, "B13")["value"].toString(), "Nr.");
    EXPECT_EQ(Cell(book, "C13")["value"].toString(), "Messwert");
    EXPECT_EQ(Cell(book, "E13")["value"].toString(), "Material");
    EXPECT_EQ(Cell(book, "A14")["value"], QJsonValue::Undefined);
    // The value rows: time as text, number as text right-aligned in 4, value as number.
    EXPECT_TRUE(Cell(book, "A15")["value"].toString().startsWith(' '));
    EXPECT_EQ(Cell(book, "B15")["value"].toString(), "   1");
    EXPECT_EQ(Cell(book, "C15")["type"].toString(), "float");
    EXPECT_DOUBLE_EQ(Cell(book, "C15")["value"].toDouble(), 95.4);
    EXPECT_EQ(Cell(book, "C16")["value"].toInt(), 123);
    EXPECT_EQ(Cell(book, "C16")["format"].toString(), "###,##0.00_)");
    EXPECT_EQ(Cell(book, "D17")["value"].toString(), "µm  ");
    EXPECT_EQ(Cell(book, "E17")["value"].toString(), "Fe");
    EXPECT_EQ(Cell(book, "A18")["value"], QJsonValue::Undefined);
    EXPECT_EQ(Cell(book, "C15")["font"].toArray(), QJsonArray({"Lucida Console", true, 10.0}));
    // A fixed-pitch ("modern") face, so that where the font is missing another fixed-pitch one
    // keeps the blank-padded columns.
    const QByteArray styles = ZipEntry(path, "xl/styles.xml");
    EXPECT_GT(styles.count("<name val=\"Lucida Console\"/><family val=\"3\"/>"), 0);
    EXPECT_EQ(styles.count("<name val=\"Lucida Console\"/><family val=\"2\"/>"), 0);

    // Widths in characters; the file keeps them with the padding of a cell's margins.
    const QJsonObject columns = book["columns"].toObject();
    EXPECT_NEAR(columns["A"].toObject()["width"].toDouble(), 50, 1);
    EXPECT_NEAR(columns["C"].toObject()["width"].toDouble(), 17, 1);
    EXPECT_NEAR(columns["D"].toObject()["width"].toDouble(), 15, 1);
    EXPECT_TRUE(columns["G"].toObject()["hidden"].toBool());

    const QJsonObject chart = book["chart"].toObject();
    EXPECT_EQ(chart["type"].toArray(), QJsonArray({"lineChart"}));
    EXPECT_EQ(chart["title"].toString(), "FE-Speicher");
    EXPECT_EQ(chart["axes"].toArray(), QJsonArray({"Anzahl", "Messwerte"}));
    EXPECT_EQ(chart["legend"].toString(), "b");
    EXPECT_EQ(chart["plotFill"].toString(), "F0F0F0");
    EXPECT_TRUE(chart["chartAreaNoFill"].toBool());
    // The mean's values stand in a hidden column: the chart must draw hidden cells, which the
    // format says by leaving out "plot visible cells only".
    EXPECT_EQ(chart["plotVisibleOnly"], QJsonValue::Null);
    const QJsonArray series = chart["series"].toArray();
    ASSERT_EQ(series.size(), 2);
    EXPECT_EQ(series[0]["values"].toString(), "Messwerte!$C$15:$C$17");
    EXPECT_EQ(series[0]["colour"].toString(), "000000");
    EXPECT_EQ(series[0]["marker"].toString(), "none");
    EXPECT_EQ(series[0]["points"].toInt(), 3);
    EXPECT_EQ(series[1]["name"].toString(), "Mittelwert");
    EXPECT_EQ(series[1]["colour"].toString(), "0000CD");
    EXPECT_EQ(series[1]["dash"].toString(), "sysDot");
    EXPECT_EQ(series[1]["marker"].toString(), "none");
}

TEST(Spreadsheet, LimitsAndTargetDrawFiveLinesAndNoMeansNoChart) {
    Shown shown({150, 120, 90});
    shown.w->state().Limit = Limits{0, 200, 150, false, {"200", "0", "150"}};
    QJsonObject book = ReadWorkbook(ExportWorkbook(shown, PlatformServices::Answer::Yes));
    EXPECT_EQ(Cell(book, "A11")["value"].toString(), "Min Limit");
    EXPECT_EQ(Cell(book, "B11")["value"].toInt(), 0);
    EXPECT_EQ(Cell(book, "A13")["value"].toString(), "Sollwert    ");
    const QJsonArray series = book["chart"].toObject()["series"].toArray();
    ASSERT_EQ(series.size(), 5);
    const QStringList names = {"Mittelwert", "Maximum", "Minimum", "Sollwert    "};
    const QStringList colours = {"0000CD", "00B050", "00B050", "EE2C2C"};
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(series[i + 1]["name"].toString(), names[i]);
        EXPECT_EQ(series[i + 1]["colour"].toString(), colours[i]);
        EXPECT_EQ(series[i + 1]["points"].toInt(), 3);
    }
    EXPECT_EQ(series[2]["dash"].toString(), "dash");
    EXPECT_EQ(series[3]["dash"].toString(), "dash");
    EXPECT_EQ(series[4]["dash"], QJsonValue::Null);
    // The target: two thin lines; the others single.
    EXPECT_EQ(series[4]["compound"].toString(), "dbl");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(series[i]["compound"], QJsonValue::Null) << i;

    shown.platform().openedDocuments.clear();
    book = ReadWorkbook(ExportWorkbook(shown, PlatformServices::Answer::No));
    EXPECT_EQ(book["sheets"].toArray(), QJsonArray({"Messwerte"}));
    EXPECT_EQ(book["chart"], QJsonValue::Null);
    EXPECT_FALSE(book["columns"].toObject()["G"].toObject()["hidden"].toBool());
}

TEST(Spreadsheet, MixedUnitsAskNothingAndWriteNoStatistics) {
    Shown shown({12, 0.5, 14}, {"µm", "mils"});
    const QJsonObject book = ReadWorkbook(ExportWorkbook(shown, PlatformServices::Answer::Yes));
    EXPECT_TRUE(shown.platform().messages.empty());
    EXPECT_EQ(Cell(book, "A5")["value"].toString(), " Statistik nicht möglich,");
    EXPECT_EQ(Cell(book, "A7")["value"].toString(), " Messeinheiten ");
    EXPECT_EQ(Cell(book, "B12")["value"].toString(), "Nr.");
    EXPECT_EQ(Cell(book, "D15")["value"].toString(), "mils");
    EXPECT_EQ(book["sheets"].toArray(), QJsonArray({"Messwerte"}));
}

TEST(Spreadsheet, FiveThousandValuesFillRowsAndChartToTheEnd) {
    Shown shown(Values(5000));
    const QString path = ExportWorkbook(shown, PlatformServices::Answer::Yes);
    // The sheet's XML rather than the cell reader: a full memory is 45000 cells.
    const QByteArray sheet = ZipEntry(path, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(
        QString::fromUtf8(sheet).contains(QRegularExpression(R"(<c r="B5"[^>]*><v>5000</v>)")));
    // H is 13 here: the rows run to H + 5001, the last with the last value's number.
    const qsizetype last = sheet.indexOf("<row r=\"5014\"");
    ASSERT_GT(last, 0);
    EXPECT_TRUE(sheet.mid(last).contains("<c r=\"C5014\""));
    EXPECT_TRUE(ZipEntry(path, "xl/sharedStrings.xml").contains("<t>5000</t>"));
    EXPECT_FALSE(sheet.contains("<row r=\"5015\""));
    const QByteArray chart = ZipEntry(path, "xl/charts/chart1.xml");
    EXPECT_EQ(chart.count("<c:ser>"), 2); // the values and the mean
    EXPECT_TRUE(chart.contains("<c:f>Messwerte!$C$15:$C$5014</c:f>"));
    EXPECT_EQ(chart.count("<c:ptCount val=\"5000\"/>"), 2);
}

TEST(Spreadsheet, UnopenedWorkbookShowsTheReasonAloneAndLogsOpenExcel) {
    Shown shown({95.4});
    shown.platform().openDocumentSucceeds = false;
    const QString path = ExportWorkbook(shown, PlatformServices::Answer::No);
    EXPECT_TRUE(QFile::exists(path));
    ASSERT_EQ(shown.platform().messages.size(), 2u);
    const QString reason = shown.platform().messages[1].text;
    EXPECT_TRUE(reason.startsWith("Keine Anwendung öffnet ")) << reason.toStdString();
    EXPECT_TRUE(shown.log().contains("Open Excel:" + reason));
}

TEST(Spreadsheet, FullDiskNamesTheFileAndSaysSoInTheChosenLanguage) {
    Shown shown(Values(300));
    const QString folder = shown.w->state().MessDataPath + "/xlsx";
    const TinyFileSystem disk(folder, 16);
    if (!disk.mounted())
        GTEST_SKIP() << disk.error().toStdString();
    disk.fill();
    const auto failure = [&] {
        shown.platform().clearMessages();
        shown.platform().answers = {PlatformServices::Answer::No};
        shown.w->cmdExcel->click();
        EXPECT_TRUE(shown.platform().openedDocuments.isEmpty());
        EXPECT_TRUE(shown.exportsEnabled());
        return shown.platform().messages.empty() ? QString()
                                                 : shown.platform().messages.back().text;
    };

    const QString german = failure();
    EXPECT_TRUE(german.contains(QDir::toNativeSeparators(folder) + "/Messwerte "))
        << german.toStdString();
    EXPECT_TRUE(german.endsWith(" konnte nicht geschrieben werden: Kein Speicherplatz mehr auf "
                                "dem Datenträger"))
        << german.toStdString();
    shown.w->English->trigger();
    const QString english = failure();
    EXPECT_TRUE(english.endsWith(" could not be written: No space left on the disk"))
        << english.toStdString();
    EXPECT_TRUE(QDir(folder).entryList({"*.xlsx"}).isEmpty()) << "nothing half-written";
}

} // namespace
