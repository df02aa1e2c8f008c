#include "support/TestInstallation.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

struct ModelCase {
    const char* konfi;
    const char* title;
    const char* layout;
    const char* link;
    const char* online;
    const char* marker;
    const char* sign;
    const char* stamp;
    const char* decimals;
};

class StartupPerModel : public ::testing::TestWithParam<ModelCase> {};

TEST_P(StartupPerModel, TitleCapabilitiesAndMenus) {
    const ModelCase& c = GetParam();
    TestInstallation install(QString::fromLatin1(c.konfi) + QStringLiteral("\r\n"));
    auto w = install.start();
    const DeviceInfo& d = w->state().Device;

    EXPECT_EQ(w->state().ModelTitle, QString::fromUtf8(c.title));
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.title) + QStringLiteral(" V4.05"));
    EXPECT_EQ(d.MemoryLayout, QLatin1String(c.layout));
    EXPECT_EQ(d.LinkKind, QLatin1String(c.link));
    EXPECT_EQ(d.OnlineMode, QLatin1String(c.online));
    EXPECT_EQ(d.MarkerSource, QLatin1String(c.marker));
    EXPECT_EQ(d.SignMode, QLatin1String(c.sign));
    EXPECT_EQ(d.StampSource, QLatin1String(c.stamp));
    EXPECT_EQ(d.DecimalsMode, QLatin1String(c.decimals));

    EXPECT_EQ(w->mnuSetTime->isVisible(), d.LinkKind == QLatin1String("L"));
    EXPECT_EQ(w->mnuTastaturevent->isVisible(), d.OnlineMode != QLatin1String("V"));
    EXPECT_EQ(w->ComboPort->isEnabled(), d.LinkKind != QLatin1String("L"));
    EXPECT_TRUE(install.platform.messages.empty())
        << install.platform.messageTexts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    ModelCodes, StartupPerModel,
    ::testing::Values(ModelCase{"DP", "Delta-Pro DIVEDADE", "2", "B", "E", "1", "+", "+", "2"},
                      ModelCase{"DPB", "Delta-Pro DIVEDADE", "4", "L", "E", "2", "+", "-", "2"},
                      ModelCase{"CP", "Cirrus-Pro DIVEDADE", "3", "K", "E", "2", "+", "+", "2"},
                      ModelCase{"EL7", "Elan-7 DIVEDADE", "1", "K", "E", "0", "+", "-", "3"},
                      ModelCase{"AS3", "Aster-3 DIVEDADE", "1", "B", "V", "0", "-", "+", "2"},
                      ModelCase{"AS9", "Aster-9 DIVEDADE", "1", "K", "V", "0", "-", "+", "2"},
                      ModelCase{"AS6", "Aster-6 DIVEDADE", "3", "K", "V", "0", "-", "+", "2"},
                      ModelCase{"BO2", "Borel-2 DIVEDADE", "X", "K", "E", "0", "-", " ", "3"}));

TEST(Startup, ModelCodePrefixesFollowTheirOwnComparisons) {
    TestInstallation longAster9(QStringLiteral("AS9X\r\n"));
    auto a = longAster9.start();
    EXPECT_EQ(a->state().ModelTitle, QStringLiteral("Aster-9 DIVEDADE"));

    TestInstallation longAster3(QStringLiteral("AS3X\r\n"));
    auto b = longAster3.start();
    EXPECT_TRUE(b->state().ModelTitle.isEmpty());
    EXPECT_EQ(b->state().Device.OnlineMode, QStringLiteral("V"));
    EXPECT_EQ(b->state().Device.SignMode, QStringLiteral("-"));

    TestInstallation unknown(QStringLiteral("ZZ\r\n"));
    auto u = unknown.start();
    EXPECT_TRUE(u->state().ModelTitle.isEmpty());
    EXPECT_EQ(u->state().Device.LinkKind, QStringLiteral(" "));
}

TEST(Startup, CreatesDataFoldersAndWritesTheLog) {
    TestInstallation install;
    install.platform.clock = QDateTime(QDate(2026, 3, 14), QTime(9, 30));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto w = install.start();
    const QString appData = install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
    const QString messData = install.dataHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
    EXPECT_EQ(w->state().AppDataPath, appData);
    EXPECT_EQ(w->state().MessDataPath, messData);
    EXPECT_TRUE(QDir(appData).exists());
    EXPECT_TRUE(QDir(messData).exists());

    const QString log = ReadText(appData + QStringLiteral("/Tavelin_TransferLog.txt"));
    const QStringList lines = log.split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Logdatei 14.03.26"));
    EXPECT_EQ(lines[1], QStringLiteral("App.Path = ") + install.programFolder());
    EXPECT_EQ(lines[2], QStringLiteral("AppDataPath = ") + appData);
    EXPECT_EQ(lines[3], QStringLiteral("MessDataPath = ") + messData);

    // Reads of missing files create them; Language.ini starts German.
    EXPECT_EQ(ReadText(appData + QStringLiteral("/Language.ini")).trimmed(), QStringLiteral("0"));
    EXPECT_TRUE(QFile::exists(appData + QStringLiteral("/Tastatur.ini")));
    EXPECT_TRUE(QFile::exists(appData + QStringLiteral("/Port.ini")));
    EXPECT_EQ(w->state().DecimalSeparator, QStringLiteral(","));
    EXPECT_EQ(w->state().StartDate, QStringLiteral("14.03.2026"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST(Startup, TheLogStartsEmptyAtEveryStart) {
    TestInstallation install;
    install.start()->WriteLog(QStringLiteral("from the first run"));
    auto second = install.start();
    const QString log = ReadText(second->state().AppDataPath + "/Tavelin_TransferLog.txt");
    EXPECT_FALSE(log.contains(QStringLiteral("from the first run")));
    EXPECT_TRUE(log.startsWith(QStringLiteral("Logdatei ")));
}

TEST(Startup, SecondBrandNamesFoldersAndTitle) {
    TestInstallation install(QStringLiteral("CP\r\nMR;Moraste;Moraste Coat Transfer;\r\n"));
    auto w = install.start();
    EXPECT_EQ(w->state().CompanyName, QStringLiteral("Moraste"));
    EXPECT_EQ(w->state().ModelTitle, QStringLiteral("Moraste Coat Transfer"));
    EXPECT_EQ(w->Frame5->title(), QStringLiteral("Moraste"));
    EXPECT_EQ(w->state().AppDataPath,
              install.configHome() + QStringLiteral("/Moraste/Moraste Coat Transfer"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Moraste Coat Transfer V4.05"));
}

TEST(Startup, BrandNamesOfKonfiStayOneFolderEachBelowTheUsersFolders) {
    TestInstallation install(QStringLiteral("DP\r\nMR;../escaped;../title\x01/x;\r\n"));
    auto w = install.start();
    const QDir root(install.configHome() + QStringLiteral("/.."));
    for (const QString& path : {w->state().AppDataPath, w->state().MessDataPath}) {
        EXPECT_EQ(QDir::cleanPath(path), path);
        EXPECT_EQ(QDir(path).dirName(), QStringLiteral("___title__x"));
        EXPECT_EQ(QFileInfo(path).path().section(u'/', -1), QStringLiteral("___escaped"));
        EXPECT_TRUE(QFileInfo(path).isDir()) << path.toStdString();
    }
    EXPECT_TRUE(w->state().AppDataPath.startsWith(install.configHome() + u'/'));
    EXPECT_TRUE(w->state().MessDataPath.startsWith(install.dataHome() + u'/'));
    EXPECT_EQ(root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({"config", "data", "program"}));
}

TEST(Startup, MissingKonfiIsReportedInGermanAndStartUpGoesOn) {
    TestInstallation install;
    install.removeKonfi();
    auto w = install.start();
    ASSERT_FALSE(install.platform.messages.empty());
    EXPECT_TRUE(install.platform.messages.front().text.startsWith(
        QStringLiteral("Probleme beim Lesen Datei Konfi.ini: ")));
    EXPECT_TRUE(w->state().Settings.ModelCode.isEmpty());
    EXPECT_TRUE(w->state().ModelTitle.isEmpty());
    // The failure reaches the log of the run, which starts after the folders are known.
    EXPECT_TRUE(w->isEnabled());
}

TEST(Startup, ControlsAfterStartUp) {
    TestInstallation install;
    auto w = install.start();
    w->show();
    EXPECT_FALSE(w->lstStat->isVisible());
    EXPECT_FALSE(w->cmdLesen->isVisible());
    EXPECT_FALSE(w->cmdStop->isVisible());
    EXPECT_FALSE(w->picBth->isVisible());
    EXPECT_TRUE(w->txtSpeicher->isVisible());
    EXPECT_TRUE(w->cmdConnect->isVisible());
    EXPECT_TRUE(w->optFE->text().isEmpty());
    EXPECT_FALSE(w->cmdWerte->isEnabled());
    // Nothing runs yet, so the program can be ended.
    EXPECT_TRUE(w->cmdEnde->isEnabled());
    EXPECT_TRUE(w->cmdConnect->isEnabled());
    EXPECT_TRUE(w->German->isChecked());
    EXPECT_FALSE(w->English->isChecked());
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Verbinden"));
    EXPECT_EQ(w->txtSpeicher->text(), QStringLiteral("BEREIT"));
    EXPECT_EQ(w->state().Counters.CurrentIndex, 1);
    EXPECT_EQ(w->state().Counters.OnlineCounter, 1);
    EXPECT_TRUE(w->state().SpeichernShow);
    EXPECT_TRUE(w->state().AbsoluteValues);
}

TEST(Startup, KeyEventApplicationIsStartedOnce) {
    TestInstallation install;
    const QString appData = install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
    QDir().mkpath(appData);
    WriteText(appData + QStringLiteral("/Tastatur.ini"),
              QStringLiteral("1;gedit --new-window;1010;ENTER\r\n"));
    auto w = install.start();
    EXPECT_EQ(install.platform.startedPrograms, QStringList{QStringLiteral("gedit --new-window")});
    EXPECT_TRUE(w->state().KeyEventAppStarted);
    EXPECT_EQ(w->state().Settings.KeyEventFields, QStringLiteral("1010"));
}

} // namespace
