#include "files/frmProjekt.h"

#include "core/TextTable.h"
#include "support/FakePlatformServices.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ProjektDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        texts.CaptionTexts_fuellen();
        texts.MessageTexts_fuellen("Delta-Pro DIVEDADE V4.05");
        platform.clock = QDateTime(QDate(2025, 3, 14), QTime(10, 20, 30));
    }
    void TearDown() override { QLocale::setDefault(m_savedLocale); }

    std::unique_ptr<frmProjekt> dialog() { return dialogWithFolder(settingsDir.path()); }
    std::unique_ptr<frmProjekt> dialogWithFolder(const QString& settingsFolder) {
        return std::make_unique<frmProjekt>(
            ProjektContext{settings, settingsFolder, messDir.path(), texts, platform,
                           [] { return QStringLiteral("Delta-Pro DIVEDADE"); },
                           [this](const QString& text) { log << text; }});
    }

    void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray projektdaten() const {
        QFile file(QDir(settingsDir.path()).filePath("Projektdaten.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir settingsDir;
    QTemporaryDir messDir;
    AppSettings settings;
    TextTable texts;
    FakePlatformServices platform;
    QStringList log;

private:
    QLocale m_savedLocale;
};

TEST_F(ProjektDialogTest, CaptionsFollowTheLanguageEachTimeTheDialogIsShown) {
    auto d = dialog();
    d->show();
    EXPECT_EQ(d->cmdSpeichern->text(), "Speichern");
    EXPECT_EQ(d->cmdLoeschen->text(), "Löschen");
    EXPECT_EQ(d->frmRahmen->title(), "Projektdaten");
    EXPECT_EQ(d->lblDtp->text(), "Datum/Uhrzeit");
    EXPECT_EQ(d->Frame1->title(), "Befehle");
    EXPECT_EQ(d->windowTitle(), "Delta-Pro DIVEDADE V4.05");
    d->hide();
    settings.LanguageIndex = 1;
    d->show();
    EXPECT_EQ(d->cmdSpeichern->text(), "Save");
    EXPECT_EQ(d->cmdLoeschen->text(), "Delete");
    EXPECT_EQ(d->frmRahmen->title(), "Project data");
    EXPECT_EQ(d->lblDtp->text(), "Date/Time");
    EXPECT_EQ(d->Frame1->title(), "Commands");
}

TEST_F(ProjektDialogTest, LabelsComeFromProjektIniInTheCurrentLanguage) {
    writeFile(QDir(messDir.path()).filePath("Projekt.ini"),
              "# Beschriftungen\r\nAuftrag;Order;\r\n\r\nKunde;Customer;\r\n");
    auto d = dialog();
    d->show();
    d->ReadLabels();
    EXPECT_EQ(d->lblFelder[0]->text(), "Auftrag");
    EXPECT_EQ(d->lblFelder[1]->text(), "Kunde");
    EXPECT_EQ(d->lblFelder[2]->text(), "Label"); // not defined: keeps its own text
    // The language menu reads the captions again while the dialog is open.
    settings.LanguageIndex = 1;
    d->ReadLabels();
    EXPECT_EQ(d->lblFelder[0]->text(), "Order");
    EXPECT_EQ(d->lblFelder[1]->text(), "Customer");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ProjektDialogTest, FailedLabelReadIsShownAndLogged) {
    writeFile(QDir(messDir.path()).filePath("Projekt.ini"),
              "Auftrag;Order;\r\nKunde\r\nOrt;Site;\r\n");
    auto d = dialog();
    d->ReadLabels();
    EXPECT_EQ(d->lblFelder[0]->text(), "Auftrag"); // read before the failure
    EXPECT_EQ(d->lblFelder[1]->text(), "Label");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              "Probleme beim Lesen Datei Projekt.ini: line \"Kunde\" has fewer than 1 ';'");
    EXPECT_EQ(platform.messages[0].buttons, PlatformServices::Buttons::Ok);
    EXPECT_EQ(platform.messages[0].title, "Delta-Pro DIVEDADE");
    EXPECT_EQ(log, QStringList{"Probleme beim Lesen Datei Projekt.ini: "});
}

TEST_F(ProjektDialogTest, LoadingKeepsTheBoxesOfEmptyLines) {
    writeFile(QDir(settingsDir.path()).filePath("Projektdaten.ini"),
              "A-17\r\nMeyer\r\n\r\nHalle 3\r\n\r\n\r\nDT 12.02.2025\r\n");
    auto d = dialog();
    d->txtFelder[2]->setText("ungespeichert");
    d->txtFelder[4]->setText("alt");
    d->LoadData();
    EXPECT_EQ(d->txtFelder[0]->text(), "A-17");
    EXPECT_EQ(d->txtFelder[2]->text(), "ungespeichert");
    EXPECT_EQ(d->txtFelder[3]->text(), "Halle 3");
    EXPECT_EQ(d->txtFelder[4]->text(), "alt");
    EXPECT_EQ(d->DTPDate->date(), QDate(2025, 2, 12));
    EXPECT_EQ(settings.ProjectFields[0], "A-17");
    EXPECT_EQ(settings.ProjectFields[2], "ungespeichert");
    EXPECT_EQ(settings.ProjectDate, QDateTime(QDate(2025, 2, 12), QTime(0, 0)));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ProjektDialogTest, SaveWritesSixLinesAndTheDateThenHides) {
    settings.ProjectDate = QDateTime(QDate(2025, 3, 14), QTime(0, 0));
    auto d = dialog();
    d->show();
    d->cmdSpeichern->click();
    EXPECT_EQ(projektdaten(), "\r\n\r\n\r\n\r\n\r\n\r\nDT 14.03.2025\r\n");
    EXPECT_FALSE(d->isVisible());

    d->show();
    d->txtFelder[1]->setText("Meyer");
    d->DTPDate->setDate(QDate(2025, 4, 1));
    d->cmdSpeichern->click();
    EXPECT_EQ(projektdaten(), "\r\nMeyer\r\n\r\n\r\n\r\n\r\nDT 01.04.2025\r\n");
}

TEST_F(ProjektDialogTest, TimeOfTheStartUpDateIsSavedWithIt) {
    settings.ProjectDate = QDateTime(QDate(2025, 3, 14), QTime(7, 45));
    auto d = dialog();
    d->SaveData();
    EXPECT_EQ(projektdaten(), "\r\n\r\n\r\n\r\n\r\n\r\nDT 14.03.2025 07:45\r\n");
}

TEST_F(ProjektDialogTest, ClearEmptiesTheControlsWithoutWriting) {
    writeFile(QDir(settingsDir.path()).filePath("Projektdaten.ini"),
              "A-17\r\n\r\n\r\n\r\n\r\n\r\nDT 12.02.2025\r\n");
    auto d = dialog();
    d->LoadData();
    d->show();
    d->cmdLoeschen->click();
    for (QLineEdit* field : d->txtFelder)
        EXPECT_TRUE(field->text().isEmpty());
    EXPECT_EQ(d->DTPDate->date(), QDate(2025, 3, 14));
    EXPECT_EQ(d->DTPTime->time(), QTime(0, 0));
    EXPECT_EQ(projektdaten(), "A-17\r\n\r\n\r\n\r\n\r\n\r\nDT 12.02.2025\r\n");
    // Shown again, the time picker takes the current time.
    d->hide();
    d->show();
    EXPECT_EQ(d->DTPTime->time(), QTime(10, 20, 30));
    // Without a save, loading brings the saved texts back.
    d->LoadData();
    EXPECT_EQ(d->txtFelder[0]->text(), "A-17");
}

TEST_F(ProjektDialogTest, FirstShowKeepsTheStartUpDateAndTakesTheCurrentTime) {
    settings.ProjectDate = QDateTime(QDate(2025, 1, 5), QTime(8, 0));
    auto d = dialog();
    d->show();
    EXPECT_EQ(d->DTPDate->date(), QDate(2025, 1, 5));
    EXPECT_EQ(d->DTPTime->time(), QTime(10, 20, 30));
}

TEST_F(ProjektDialogTest, DateNeverSetBecomesToday) {
    auto d = dialog();
    d->show();
    EXPECT_EQ(d->DTPDate->date(), QDate(2025, 3, 14));
    EXPECT_EQ(settings.ProjectDate.date(), QDate(2025, 3, 14));
}

TEST_F(ProjektDialogTest, FailedSaveIsShownAndLoggedAndTheDialogStillCloses) {
    const QString notAFolder = QDir(settingsDir.path()).filePath("file");
    writeFile(notAFolder, "x");
    auto d = dialogWithFolder(notAFolder);
    d->show();
    d->cmdSpeichern->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(
        platform.messages[0].text.startsWith("Probleme beim Schreiben Datei Projektdaten.ini: "));
    EXPECT_GT(platform.messages[0].text.size(),
              QString("Probleme beim Schreiben Datei Projektdaten.ini: ").size());
    EXPECT_EQ(log, QStringList{"Probleme beim Schreiben Datei Projektdaten.ini: "});
    EXPECT_FALSE(d->isVisible());
}

TEST_F(ProjektDialogTest, EditsReachTheSettingsAndTheReportHeader) {
    settings.ProjectFieldLabels[0] = "Auftrag";
    settings.ProjectFields[1] = "Meyer";
    settings.ProjectDate = QDateTime(QDate(2025, 3, 14), QTime(7, 45));
    auto d = dialog();
    EXPECT_EQ(d->lblFelder[0]->text(), "Auftrag");
    EXPECT_EQ(d->txtFelder[1]->text(), "Meyer");
    d->txtFelder[0]->setText("A-17");
    d->DTPDate->setDate(QDate(2025, 3, 20));
    d->DTPTime->setTime(QTime(9, 30));
    EXPECT_EQ(settings.ProjectFields[0], "A-17");
    EXPECT_EQ(settings.ProjectDate, QDateTime(QDate(2025, 3, 20), QTime(7, 45)));

    const ReportProject project = d->reportProject();
    EXPECT_EQ(project.Labels[0], "Auftrag");
    EXPECT_EQ(project.Labels[5], "Label");
    EXPECT_EQ(project.Fields[0], "A-17");
    EXPECT_EQ(project.Fields[1], "Meyer");
    EXPECT_EQ(project.Date, QDate(2025, 3, 20));
    EXPECT_EQ(project.Time, QTime(9, 30));

    // Settings read elsewhere are shown on request.
    settings.ProjectFields[1] = "Schmidt";
    settings.ProjectDate = QDateTime(QDate(2025, 5, 2), QTime(0, 0));
    d->ShowSettings();
    EXPECT_EQ(d->txtFelder[1]->text(), "Schmidt");
    EXPECT_EQ(d->DTPDate->date(), QDate(2025, 5, 2));
}

} // namespace
