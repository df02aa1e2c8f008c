#include "core/QStringPrinter.h"
#include "core/ReportText.h"
#include "files/frmProjekt.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList Column(const frmTransfer& w, int column) {
    QStringList texts;
    for (int r = 0; r < w.MSFlex->rowCount(); ++r) {
        const QTableWidgetItem* item = w.MSFlex->item(r, column);
        texts << (item != nullptr ? item->text() : QString());
    }
    return texts;
}

TEST(MainWindowFiles, SavedMemoryReopensIntoFeWithTheFileCaption) {
    TestInstallation install;
    auto w = install.startScripted();
    w->Unblock_Buttons();
    w->state().Limit = Limits{80, 120, 100, false, {"120", "80", "100"}};
    QStringList nfe;
    for (int i = 1; i <= 3; ++i)
        nfe << InstrumentLine(i, 95.5 + i, QStringLiteral("µm"), QStringLiteral("NFe"));
    FeedDownload(*w, MemoryKind::NFE, nfe);
    w->optNFE->click();
    const QStringList values = Column(*w, 2);
    const QStringList times = Column(*w, 0);

    const QString folder = w->state().MessDataPath + QStringLiteral("/mes");
    install.platform.fileNames = {folder + QStringLiteral("/Halle 3")};
    w->cmdSave->click();
    const QString saved = folder + QStringLiteral("/Halle 3.mes");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(ReadText(saved).contains(QStringLiteral("NFE-Speicher")));

    FeedDownload(*w, MemoryKind::FE, {InstrumentLine(1, 10, "µm", " Fe")});
    install.platform.fileNames = {saved};
    w->cmdOpen->click();
    EXPECT_EQ(w->state().Kind, MemoryKind::FE);
    EXPECT_TRUE(w->optFE->isChecked());
    EXPECT_EQ(w->optFE->text(), QStringLiteral("Halle 3.mes (3)"));
    EXPECT_EQ(Column(*w, 2), values);
    EXPECT_EQ(Column(*w, 0), times);
    EXPECT_TRUE(install.platform.messages.empty())
        << install.platform.messageTexts().join('|').toStdString();

    // Without an instrument nothing renews the table after a language switch: it must keep it.
    w.reset();
    auto alone = install.start();
    ASSERT_FALSE(alone->link().LinkConnected());
    alone->Unblock_Buttons();
    install.platform.fileNames = {saved};
    alone->cmdOpen->click();
    ASSERT_EQ(Column(*alone, 2), values);
    alone->English->trigger();
    EXPECT_EQ(Column(*alone, 2), values);
    EXPECT_EQ(Column(*alone, 0), times);
    EXPECT_EQ(alone->MSFlex->horizontalHeaderItem(2)->text().trimmed(), QStringLiteral("Value"));
}

TEST(MainWindowFiles, OnlineCallWritesOnlineMesWithTheProjectHeader) {
    TestInstallation install;
    auto w = install.startScripted();
    w->cmdProjekt_Click();
    frmProjekt* project = w->projectDialog();
    project->txtFelder[0]->setText(QStringLiteral("Brücke Nord"));
    project->cmdSpeichern->click();

    w->optOnline_Click();
    FeedOnline(*w, InstrumentLine(0, 101, "µm", " Fe"));
    w->state().SpeichernShow = false;
    w->cmdSave_Click();
    const QString online = w->state().MessDataPath + QStringLiteral("/mes/Online.mes");
    const QString text = ReadText(online);
    EXPECT_TRUE(text.contains(QStringLiteral("Brücke Nord"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("101")));
    EXPECT_TRUE(w->state().SpeichernShow);
}

// The report of the shown table rebuilt from scratch: every row formatted, in the table's order,
// with the project data as saved.
QString FullReport(frmTransfer& w) {
    w.Voreinstellungen(QStringLiteral("PL"));
    ReportInputs in;
    in.Project = w.projectDialog()->reportProject();
    in.MemoryTitle = w.state().message(8);
    in.LanguageIndex = w.state().languageIndex();
    in.Device = w.state().Device;
    in.AbsoluteValues = w.state().AbsoluteValues;
    for (int i = 0; i < w.lstStat->count(); ++i)
        in.StatisticList << w.lstStat->item(i)->text();
    in.FirstUnit = w.state().Stat.FirstUnit;
    in.UserLimits = w.state().Limit;
    for (int c = 0; c < 3; ++c)
        in.ColumnHeaders[c] = w.MSFlex->horizontalHeaderItem(c)->text();
    const std::vector<MeasurementRecord> records =
        w.session().rows().records(w.state().Store, MemoryKind::Online);
    in.Records = records;
    return BuildReportText(QStringLiteral("A"), in) + QStringLiteral("\r\n");
}

// Every online value builds a report, and every report reads the saved project data: an
// unreadable file is said once and counted, and the values keep coming into the table.
TEST(MainWindowFiles, UnreadableProjectDataDuringOnlineValuesOpensOneBox) {
    TestInstallation install;
    auto w = install.startScripted();
    ASSERT_TRUE(QDir(w->state().AppDataPath).mkdir(QStringLiteral("Projektdaten.ini")));
    w->optOnline_Click();
    for (int n = 1; n <= 3; ++n)
        FeedOnline(*w, InstrumentLine(0, 100 + n, "µm", " Fe"));
    QTest::qWait(50);
    EXPECT_EQ(w->MSFlex->rowCount(), 3);
    const QString failure = QStringLiteral("Probleme beim Lesen Datei Projektdaten.ini: ");
    EXPECT_EQ(install.platform.messageTexts().filter(failure).size(), 1)
        << install.platform.messageTexts().join('|').toStdString();
    EXPECT_EQ(w->statusBar()->currentMessage(),
              QStringLiteral("Projektdaten.ini nicht gelesen: 3-mal"));
    const QString log = ReadText(w->state().AppDataPath + "/Tavelin_TransferLog.txt");
    EXPECT_EQ(log.count(failure), 3);
}

TEST(MainWindowFiles, OnlineMesIsTheWholeReportAfterEveryValue) {
    TestInstallation install;
    auto w = install.startScripted();
    w->show();
    w->state().Limit = Limits{80, 120, 100, false, {"120", "80", "100"}};
    w->optOnline_Click();
    const QString online = w->state().MessDataPath + QStringLiteral("/mes/Online.mes");
    int n = 0;
    const auto value = [&] {
        ++n;
        FeedOnline(*w, InstrumentLine(0, 70 + (n * 37 % 60), "µm", " Fe"));
        ASSERT_EQ(w->MSFlex->rowCount(), n);
        ASSERT_EQ(ReadText(online), FullReport(*w)) << "after value " << n;
        // The table shows the rows the report lists, in the same order.
        for (int r = 0; r < n; ++r) {
            const int slot = w->session().rows().slotAt(r);
            ASSERT_EQ(w->MSFlex->item(r, 1)->text().trimmed().toInt(),
                      w->state().Store.at(MemoryKind::Online, slot).Number)
                << "row " << r << " after value " << n;
        }
    };
    for (int i = 0; i < 12; ++i)
        value();

    // Sorted, the rows keep the table's order, also for values added afterwards.
    w->cmdSort->click();
    ASSERT_NE(w->session().rows().slotAt(0), 1);
    value();
    value();

    // Saved project data shows in the next file; so does the file edited by hand.
    frmProjekt* project = w->projectDialog();
    project->txtFelder[2]->setText(QStringLiteral("Halle 3"));
    project->cmdSpeichern->click();
    value();
    EXPECT_TRUE(ReadText(online).contains(QStringLiteral("Halle 3")));
    WriteText(w->state().AppDataPath + QStringLiteral("/Projektdaten.ini"),
              QStringLiteral("Brücke Nord\r\n"));
    value();
    EXPECT_TRUE(ReadText(online).contains(QStringLiteral("Brücke Nord")));

    // A table rebuilt in slot order is taken from the store again.
    w->optOnline_Click();
    value();
}

TEST(MainWindowFiles, FileWithoutValuesLeavesTheTableAsItWas) {
    TestInstallation install;
    auto w = install.startScripted();
    w->Unblock_Buttons();
    FeedDownload(*w, MemoryKind::FE,
                 {InstrumentLine(1, 10, "µm", " Fe"), InstrumentLine(2, 20, "µm", " Fe")});
    w->optFE->click();
    const QStringList values = Column(*w, 2);
    const QString caption = w->optFE->text();

    const QString folder = w->state().MessDataPath + QStringLiteral("/mes");
    QDir().mkpath(folder);
    QFile utf16(folder + QStringLiteral("/unicode.mes"));
    ASSERT_TRUE(utf16.open(QIODevice::WriteOnly));
    QStringEncoder encoder(QStringConverter::Utf16LE); // no byte-order mark: unreadable
    utf16.write(encoder(QStringLiteral("09:15:02          1        95.4 µm    Fe\r\n")));
    utf16.close();
    install.platform.fileNames = {utf16.fileName()};
    w->cmdOpen->click();

    ASSERT_EQ(install.platform.messages.size(), 1u);
    EXPECT_TRUE(
        install.platform.messages[0].text.endsWith(QStringLiteral("keine lesbaren Messwerte")));
    EXPECT_EQ(Column(*w, 2), values);
    EXPECT_EQ(w->optFE->text(), caption);
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 2);
}

TEST(MainWindowFiles, LongFileLoadsTheFirst5000AndSaysHowManyWereLeftOut) {
    TestInstallation install;
    auto w = install.start();
    w->Unblock_Buttons();
    const QString folder = w->state().MessDataPath + QStringLiteral("/mes");
    QDir().mkpath(folder);
    QString text = QStringLiteral("FE-Speicher\r\n\r\n");
    for (int i = 1; i <= 5007; ++i)
        text += QStringLiteral("09:15:02       %1         125 µm    Fe\r\n").arg(i % 1000 + 1, 4);
    WriteText(folder + QStringLiteral("/lang.mes"), text);
    install.platform.fileNames = {folder + QStringLiteral("/lang.mes")};
    w->cmdOpen->click();

    EXPECT_EQ(w->MSFlex->rowCount(), 5000);
    EXPECT_EQ(w->optFE->text(), QStringLiteral("lang.mes (5000)"));
    ASSERT_EQ(install.platform.messages.size(), 1u);
    EXPECT_EQ(
        install.platform.messages[0].text,
        QStringLiteral("Maximale Werteanzahl überschritten 5000: 7 weitere Werte der Datei ") +
            QDir::toNativeSeparators(folder + QStringLiteral("/lang.mes")) +
            QStringLiteral(" wurden nicht geladen"));
}

} // namespace
