#include "files/MesFiles.h"

#include "core/Descriptions.h"
#include "core/MesFile.h"
#include "core/TextTable.h"
#include "support/FakePlatformServices.h"
#include "support/TinyFileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class MesFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        texts.CaptionTexts_fuellen();
        device.ModelCode = "DP";
        FillCapabilities(device, "DP");
    }
    void TearDown() override { QLocale::setDefault(m_savedLocale); }

    MesFileContext context(const QString& messDataPath) {
        return {messDataPath, texts, 0, "Delta-Pro DIVEDADE",
                [this](const QString& text) { log << text; }};
    }
    MesFileContext context() { return context(dataDir.path()); }
    QString mesFolder() const { return QDir(dataDir.path()).filePath("mes"); }
    QString inMes(const QString& name) const { return QDir(mesFolder()).filePath(name); }

    SaveMesResult save(bool& speichernShow, const QString& report) {
        return SaveMesFile(platform, context(), speichernShow, [&] {
            ++reportsBuilt;
            return report;
        });
    }

    static QByteArray bytesOf(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dataDir;
    TextTable texts;
    DeviceInfo device;
    FakePlatformServices platform;
    QStringList log;
    int reportsBuilt = 0;

private:
    QLocale m_savedLocale;
};

const QString Report = "FE-Speicher\r\n\r\nStatistik:\r\n\r\n"
                       "14.03.2025       Nr.      Messwert\r\n\r\n"
                       "09:15:02          1        95,4 µm    Fe\r\n"
                       "09:15:10          2         123 µm    Fe\r\n"
                       "09:16:00          3        12,5 µm    Fe\r\n";

TEST_F(MesFilesTest, SavedFileIsTheReportAndOneLineEndWithMesAppended) {
    bool speichernShow = true;
    platform.fileNames = {inMes("Probe")};
    const SaveMesResult result = save(speichernShow, Report);
    EXPECT_EQ(result.Status, MesFileStatus::Done);
    EXPECT_EQ(result.Path, inMes("Probe.mes"));
    EXPECT_EQ(bytesOf(inMes("Probe.mes")), (Report + "\r\n").toUtf8());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MesFilesTest, NameContainingMesAnywhereIsUsedUnchanged) {
    bool speichernShow = true;
    platform.fileNames = {inMes("Probe.mes.bak"), inMes("PROBE.MES"), "relativ"};
    EXPECT_EQ(save(speichernShow, Report).Path, inMes("Probe.mes.bak"));
    EXPECT_EQ(save(speichernShow, Report).Path, inMes("PROBE.MES"));
    EXPECT_EQ(save(speichernShow, Report).Path, inMes("relativ.mes"));
    EXPECT_EQ(bytesOf(inMes("relativ.mes")), (Report + "\r\n").toUtf8());
}

TEST_F(MesFilesTest, CancelOrABlankNameWritesNothing) {
    bool speichernShow = true;
    EXPECT_EQ(save(speichernShow, Report).Status, MesFileStatus::Cancelled);
    platform.fileNames = {inMes(" ")};
    EXPECT_EQ(save(speichernShow, Report).Status, MesFileStatus::Cancelled);
    EXPECT_EQ(reportsBuilt, 0);
    EXPECT_TRUE(QDir(mesFolder()).isEmpty());
}

TEST_F(MesFilesTest, OnlineCallWritesOnlineMesWithoutDialogAndTheNextClickAsksAgain) {
    bool speichernShow = false;
    platform.fileNames = {inMes("Klick")};
    const SaveMesResult online = save(speichernShow, Report);
    EXPECT_EQ(online.Status, MesFileStatus::Done);
    EXPECT_EQ(online.Path, inMes("Online.mes"));
    EXPECT_TRUE(speichernShow);
    EXPECT_EQ(platform.fileNames.size(), 1u); // no dialog
    EXPECT_EQ(save(speichernShow, Report).Path, inMes("Klick.mes"));

    // Rewritten after the next value, the file holds the newer series only.
    speichernShow = false;
    save(speichernShow, "Online\r\n");
    EXPECT_EQ(bytesOf(inMes("Online.mes")), "Online\r\n\r\n");
}

TEST_F(MesFilesTest, FailedWriteSaysSoAndLeavesNoFile) {
    bool speichernShow = true;
    platform.fileNames = {inMes("fehlt/Probe.mes")};
    const SaveMesResult result = save(speichernShow, Report);
    EXPECT_EQ(result.Status, MesFileStatus::Failed);
    ASSERT_EQ(platform.messages.size(), 1u);
    const QString start = "Fehler beim Speichern der Datei " +
                          QDir::toNativeSeparators(inMes("fehlt/Probe.mes")) + ": ";
    EXPECT_TRUE(platform.messages[0].text.startsWith(start))
        << platform.messages[0].text.toStdString();
    EXPECT_GT(platform.messages[0].text.size(), start.size());
    EXPECT_EQ(platform.messages[0].buttons, PlatformServices::Buttons::Ok);
    EXPECT_EQ(platform.messages[0].title, "Delta-Pro DIVEDADE");
    EXPECT_EQ(log, platform.messageTexts());
    EXPECT_FALSE(QFile::exists(inMes("fehlt/Probe.mes")));
}

TEST_F(MesFilesTest, MissingDataFolderFailsTheOnlineSaveAndRestoresTheDialog) {
    const QString notAFolder = QDir(dataDir.path()).filePath("datei");
    QFile file(notAFolder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    bool speichernShow = false;
    const SaveMesResult result =
        SaveMesFile(platform, context(notAFolder), speichernShow, [] { return Report; });
    EXPECT_EQ(result.Status, MesFileStatus::Failed);
    EXPECT_TRUE(speichernShow);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("cannot create folder"));
}

TEST_F(MesFilesTest, WriteReplacesAnOldFileWhole) {
    ASSERT_TRUE(EnsureMesFolder(mesFolder()).ok);
    ASSERT_TRUE(WriteMesFile(inMes("a.mes"), QString(100000, u'x')).ok);
    ASSERT_TRUE(WriteMesFile(inMes("a.mes"), "kurz").ok);
    EXPECT_EQ(bytesOf(inMes("a.mes")), "kurz\r\n");
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(QDir(mesFolder()).entryList(QDir::Files), QStringList{"a.mes"});
}

TEST_F(MesFilesTest, OpenedFileGivesItsRecordsAndCaption) {
    bool speichernShow = true;
    platform.fileNames = {inMes("Probe")};
    save(speichernShow, Report);
    platform.fileNames = {inMes("Probe.mes")};
    const OpenMesResult opened = OpenMesFile(platform, context(), device);
    EXPECT_EQ(opened.Status, MesFileStatus::Done);
    ASSERT_EQ(opened.Reading.Records.size(), 3u);
    EXPECT_EQ(opened.Reading.Records[2].Value, 12.5);
    EXPECT_EQ(MesCaption(opened.Path, static_cast<int>(opened.Reading.Records.size())),
              "Probe.mes (3)");

    MeasurementStore store;
    StoreMesRecords(opened.Reading, store);
    EXPECT_EQ(store.SeriesLength(MemoryKind::FE), 3);
}

TEST_F(MesFilesTest, CancelledOpenChangesNothing) {
    const OpenMesResult opened = OpenMesFile(platform, context(), device);
    EXPECT_EQ(opened.Status, MesFileStatus::Cancelled);
    EXPECT_TRUE(opened.Reading.Records.empty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(QFileInfo(mesFolder()).isDir()); // made on the way
}

TEST_F(MesFilesTest, UnreadableOrOversizedFilesAreRefusedWithAMessage) {
    platform.fileNames = {inMes("fehlt.mes")};
    EXPECT_EQ(OpenMesFile(platform, context(), device).Status, MesFileStatus::Failed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.startsWith("Fehler beim Lesen der Datei "));

    QFile huge(inMes("gross.mes"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(MaxMesFileSize + 1));
    huge.close();
    platform.fileNames = {inMes("gross.mes")};
    EXPECT_EQ(OpenMesFile(platform, context(), device).Status, MesFileStatus::Failed);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[1].text.endsWith("file is larger than 32 MiB"));
    EXPECT_EQ(log.size(), 2);
}

TEST_F(MesFilesTest, FullDiskLeavesTheOldFileAndSaysWhichAndWhy) {
    const TinyFileSystem disk(mesFolder());
    if (!disk.mounted())
        GTEST_SKIP() << disk.error().toStdString();
    bool speichernShow = true;
    platform.fileNames = {inMes("Probe")};
    ASSERT_EQ(save(speichernShow, Report).Status, MesFileStatus::Done);
    const QByteArray old = bytesOf(inMes("Probe.mes"));
    disk.fill();

    platform.fileNames = {inMes("Probe.mes")};
    // Small enough for Qt's write buffer, where a buffered write would not see the full disk.
    const SaveMesResult result = save(speichernShow, Report + "neu");
    EXPECT_EQ(result.Status, MesFileStatus::Failed);
    EXPECT_EQ(bytesOf(inMes("Probe.mes")), old);
    ASSERT_EQ(platform.messages.size(), 1u);
    const QString text = platform.messages[0].text;
    EXPECT_TRUE(text.startsWith("Fehler beim Speichern der Datei " +
                                QDir::toNativeSeparators(inMes("Probe.mes")) + ": "))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(": No space left on the disk")) << text.toStdString();
    EXPECT_EQ(log, platform.messageTexts());
}

TEST_F(MesFilesTest, OnlineFileOnAFullDiskNamesItAndTheReasonInTheChosenLanguage) {
    const TinyFileSystem disk(mesFolder(), 16);
    if (!disk.mounted())
        GTEST_SKIP() << disk.error().toStdString();
    QStringList online;
    MesFileContext withReceiver = context();
    withReceiver.OnlineFailure = [&](const QString& text) { online << text; };
    // Many values received: more than the disk holds, so the write is cut short.
    const QString many = Report.repeated(200);
    const auto saveOnline = [&] {
        bool speichernShow = false;
        return SaveMesFile(platform, withReceiver, speichernShow, [&] { return many; }).Status;
    };
    const QString start =
        "Fehler beim Speichern der Datei " + QDir::toNativeSeparators(inMes("Online.mes")) + ": ";

    EXPECT_EQ(saveOnline(), MesFileStatus::Failed);
    GermanDescriptions german;
    QCoreApplication::installTranslator(&german);
    EXPECT_EQ(saveOnline(), MesFileStatus::Failed);
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(online, QStringList({start + "No space left on the disk",
                                   start + "Kein Speicherplatz mehr auf dem Datenträger"}));
    EXPECT_TRUE(QDir(mesFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << "nothing half-written";
}

TEST_F(MesFilesTest, OnlineFailuresGoToTheirOwnReceiver) {
    QStringList online;
    MesFileContext withReceiver = context(QDir(dataDir.path()).filePath("datei"));
    withReceiver.OnlineFailure = [&](const QString& text) { online << text; };
    QFile file(QDir(dataDir.path()).filePath("datei"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    bool speichernShow = false;
    EXPECT_EQ(SaveMesFile(platform, withReceiver, speichernShow, [] { return Report; }).Status,
              MesFileStatus::Failed);
    EXPECT_EQ(online.size(), 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(log.isEmpty()) << "the receiver logs";
}

TEST_F(MesFilesTest, FileWithoutAReadableValueIsRefusedWithAMessage) {
    ASSERT_TRUE(EnsureMesFolder(mesFolder()).ok);
    QFile binary(inMes("bild.mes"));
    ASSERT_TRUE(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    binary.close();
    platform.fileNames = {inMes("bild.mes")};
    const OpenMesResult opened = OpenMesFile(platform, context(), device);
    EXPECT_EQ(opened.Status, MesFileStatus::Failed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Fehler beim Lesen der Datei " +
                                             QDir::toNativeSeparators(inMes("bild.mes")) +
                                             ": keine lesbaren Messwerte");
    EXPECT_EQ(log, platform.messageTexts());
}

} // namespace
