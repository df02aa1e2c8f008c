#include "core/ProjectDataCache.h"

#include "SettingsTestFolder.h"

#include <QDir>

namespace {

class ProjectDataCacheTest : public SettingsTestFolder {};

const QDateTime Now(QDate(2025, 3, 14), QTime(9, 30));

// A file written a while ago, as the cache keeps it; each call gives another time.
void Age(const QString& path) {
    static int minutes = 0;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600 + 60 * ++minutes),
                                 QFileDevice::FileModificationTime));
}

TEST_F(ProjectDataCacheTest, AFileChangedOnDiskIsReadAgainEvenAtTheSameSize) {
    UseGerman();
    ProjectDataCache cache;
    writeFile("Projektdaten.ini", "Halle 3\r\n\r\n\r\n\r\n\r\n\r\nDT 14.03.2025\r\n");
    Age(path("Projektdaten.ini"));
    ProjectDataReading reading = cache.read(folder(), Now);
    ASSERT_TRUE(reading.outcome.ok);
    EXPECT_EQ(reading.fields[0], QStringLiteral("Halle 3"));
    EXPECT_EQ(cache.read(folder(), Now).fields[0], QStringLiteral("Halle 3"));

    writeFile("Projektdaten.ini", "Halle 4\r\n\r\n\r\n\r\n\r\n\r\nDT 15.03.2025\r\n");
    Age(path("Projektdaten.ini"));
    reading = cache.read(folder(), Now);
    EXPECT_EQ(reading.fields[0], QStringLiteral("Halle 4"));
    ASSERT_TRUE(reading.date);
    EXPECT_EQ(reading.date->date(), QDate(2025, 3, 15));

    // Replaced by another file, as an editor saves.
    const QString other = path("other.ini");
    QFile::remove(other);
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Halle 5\r\n");
    file.close();
    ASSERT_TRUE(QFile::remove(path("Projektdaten.ini")));
    ASSERT_TRUE(QFile::rename(other, path("Projektdaten.ini")));
    Age(path("Projektdaten.ini"));
    EXPECT_EQ(cache.read(folder(), Now).fields[0], QStringLiteral("Halle 5"));
}

TEST_F(ProjectDataCacheTest, ADateLineWithoutADateGivesTheTimeOfEachReading) {
    UseGerman();
    ProjectDataCache cache;
    writeFile("Projektdaten.ini", "A\r\nDT kein Datum\r\n");
    Age(path("Projektdaten.ini"));
    EXPECT_EQ(cache.read(folder(), Now).date, Now);
    const QDateTime later = Now.addDays(1);
    EXPECT_EQ(cache.read(folder(), later).date, later);
    writeFile("Projektdaten.ini", "A\r\n");
    Age(path("Projektdaten.ini"));
    EXPECT_FALSE(cache.read(folder(), later).date);
}

TEST_F(ProjectDataCacheTest, AFailedReadingIsNotKeptAndAMissingFileIsCreated) {
    ProjectDataCache cache;
    ASSERT_TRUE(QDir(folder()).mkdir("Projektdaten.ini"));
    EXPECT_FALSE(cache.read(folder(), Now).outcome.ok);
    EXPECT_FALSE(cache.read(folder(), Now).outcome.ok);
    ASSERT_TRUE(QDir(folder()).rmdir("Projektdaten.ini"));

    ProjectDataReading reading = cache.read(folder(), Now);
    EXPECT_TRUE(reading.outcome.ok);
    EXPECT_FALSE(reading.fields[0]);
    EXPECT_TRUE(QFile::exists(path("Projektdaten.ini")));
    writeFile("Projektdaten.ini", "B\r\n");
    EXPECT_EQ(cache.read(folder(), Now).fields[0], QStringLiteral("B"));
}

} // namespace
