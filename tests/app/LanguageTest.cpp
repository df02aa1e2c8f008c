#include "extras/frmInfo.h"
#include "support/LineFeeder.h"
#include "support/ScriptedLink.h"
#include "support/TestInstallation.h"
#include "ui/QtPlatformServices.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QStringList Captions(frmTransfer& w) {
    return {w.cmdConnect->text(),
            w.mnuDatei->title(),
            w.cmdOpen->text(),
            w.cmdSave->text(),
            w.cmdprint->text(),
            w.mnuEnd->text(),
            w.cmdEnde->text(),
            w.Language->title(),
            w.English->text(),
            w.German->text(),
            w.mnuTastaturevent->text(),
            w.mnuHelp->title(),
            w.mnuInfo->text(),
            w.mnuHelp1->text(),
            w.cmdProjekt->text(),
            w.cmdWerte->text(),
            w.cmdLesen->text(),
            w.cmdFlexZeileLoeschen->text(),
            w.cmdFlexTabelleloeschen->text(),
            w.txtWait->text(),
            w.txtSpeicher->text(),
            w.cmdStop->text(),
            w.Frame3->title(),
            w.Frame1->title(),
            w.Frame4->title()};
}

// The buttons of a real question box, read while it is open; Esc then answers it.
QStringList QuestionButtons() {
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        for (QAbstractButton* button : box->buttons())
            texts << button->text().remove(QLatin1Char('&'));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QtPlatformServices desktop;
    EXPECT_EQ(desktop.messageBox(QStringLiteral("?"), PlatformServices::Buttons::YesNo,
                                 PlatformServices::Icon::Question, QStringLiteral("Tavelin")),
              PlatformServices::Answer::No);
    texts.sort();
    return texts;
}

TEST(Language, QuestionsAnswerInTheChosenLanguage) {
    TestInstallation install;
    auto w = install.start();
    EXPECT_EQ(QuestionButtons(), QStringList({"Ja", "Nein"}));
    w->English->trigger();
    EXPECT_EQ(QuestionButtons(), QStringList({"No", "Yes"}));
    w->German->trigger();
    EXPECT_EQ(QuestionButtons(), QStringList({"Ja", "Nein"}));
}

TEST(Language, SwitchingChangesEveryCaptionAndIsRemembered) {
    TestInstallation install;
    auto w = install.start();
    const QStringList german = Captions(*w);
    const QString languageFile = w->state().AppDataPath + QStringLiteral("/Language.ini");

    w->English->trigger();
    const QStringList english = Captions(*w);
    EXPECT_EQ(ReadText(languageFile), QStringLiteral("1\r\n"));
    EXPECT_TRUE(w->English->isChecked());
    EXPECT_FALSE(w->German->isChecked());
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Connect"));
    // No port was chosen yet: the prompt for one stays, in the new language.
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Please select COM-Port"));
    EXPECT_EQ(w->Frame4->title(), QStringLiteral("Copy data to"));
    for (int i = 0; i < german.size(); ++i) {
        // "Info" is the same word in both languages.
        if (german[i] != QStringLiteral("Info"))
            EXPECT_NE(german[i], english[i]) << german[i].toStdString();
    }

    w->German->trigger();
    EXPECT_EQ(Captions(*w), german);
    EXPECT_EQ(ReadText(languageFile), QStringLiteral("0\r\n"));
}

TEST(Language, NextStartComesUpInTheChosenLanguage) {
    TestInstallation install;
    install.start()->English->trigger();
    auto second = install.start();
    EXPECT_EQ(second->state().languageIndex(), 1);
    EXPECT_EQ(second->cmdConnect->text(), QStringLiteral("Connect"));
    EXPECT_EQ(second->cmdEnde->text(), QStringLiteral("Exit program"));
    EXPECT_TRUE(second->English->isChecked());
}

TEST(Language, ConnectedWaitLabelFollowsTheLanguage) {
    TestInstallation install;
    auto w = install.startScripted();
    Script(*w).setState(InstrumentLink::State::Connected);
    w->Texte_setzen();
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Verbunden"));
    w->English->trigger();
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Connected"));
}

TEST(Language, OpenInformationWindowFollowsTheSwitch) {
    TestInstallation install;
    auto w = install.startScripted();
    Script(*w).setState(InstrumentLink::State::Connected);
    w->state().Device.IdentS = QStringLiteral("0815-22");
    w->mnuInfo->trigger();
    auto* info = w->findChild<frmInfo*>();
    ASSERT_NE(info, nullptr);
    ASSERT_TRUE(info->isVisible());
    EXPECT_EQ(info->lblGeraet->text(), QStringLiteral("Geraet"));
    EXPECT_EQ(info->lblSondentyp->text(), QStringLiteral("Sondentyp/SNR"));

    w->English->trigger();
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->lblGeraet->text(), QStringLiteral("Device"));
    EXPECT_EQ(info->lblGeraetSoft->text(), QStringLiteral("Device Softwareversion"));
    EXPECT_EQ(info->lblSondentyp->text(), QStringLiteral("Probetype/SNR"));
    // The wider captions fit.
    EXPECT_GE(info->lblGeraetSoft->width(), info->lblGeraetSoft->sizeHint().width());

    w->German->trigger();
    EXPECT_EQ(info->lblGeraetSoft->text(), QStringLiteral("Geraete Software Version"));
    EXPECT_EQ(info->lblSondentyp->text(), QStringLiteral("Sondentyp/SNR"));
}

TEST(Language, UnwritableLanguageFileIsReportedAndTheSwitchStillApplies) {
    TestInstallation install;
    auto w = install.start();
    const QString languageFile = w->state().AppDataPath + QStringLiteral("/Language.ini");
    QFile::remove(languageFile);
    QDir().mkpath(languageFile); // a folder where the file should be
    w->English->trigger();
    EXPECT_EQ(w->cmdConnect->text(), QStringLiteral("Connect"));
    ASSERT_FALSE(install.platform.messages.empty());
    EXPECT_TRUE(install.platform.messages.back().text.startsWith(
        QStringLiteral("problems writing file Language.ini: ")));
    const QString log = ReadText(w->state().AppDataPath + "/Tavelin_TransferLog.txt");
    EXPECT_TRUE(log.contains(QStringLiteral("problems writing file Language.ini: \r\n")));
}

} // namespace
