#include "KeyEventTestWindow.h"
#include "core/QStringPrinter.h"
#include "extras/frmTastatur.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class KeyEventDialog : public KeyEventWindow {
protected:
    frmTastatur* open() {
        w->mnuTastaturevent->trigger();
        frmTastatur* dialog = w->keyEventDialog();
        EXPECT_TRUE(dialog->isVisible());
        return dialog;
    }
};

TEST_F(KeyEventDialog, OpensFromTheMenuWithTheCaptionsAndTheSettingsOfTastaturIni) {
    begin(QStringLiteral("1;gedit;0101;ENTER"));
    frmTastatur* d = open();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Delta-Pro DIVEDADE V4.05"));
    EXPECT_EQ(d->frmFunktion->title(), QStringLiteral("Tastatur Events senden"));
    EXPECT_TRUE(d->lblTE->text().startsWith(QStringLiteral("Online Wert wird automatisch")));
    EXPECT_EQ(d->chkTastatur->text(), QStringLiteral("Funktion aktivieren"));
    EXPECT_EQ(d->lblAnwendung->text(), QStringLiteral("Anwendung an die gesendet wird"));
    EXPECT_EQ(d->frmInklusive->title(), QStringLiteral("Werte inklusive"));
    EXPECT_EQ(d->chkNr->text(), QStringLiteral("Nr"));
    EXPECT_EQ(d->chkDatum->text(), QStringLiteral("Datum"));
    EXPECT_EQ(d->chkEinheit->text(), QStringLiteral("Messeinheit"));
    EXPECT_EQ(d->chkMaterial->text(), QStringLiteral("Material"));
    EXPECT_EQ(d->frmZeilenEnde->title(), QStringLiteral("Zeilenende Zeichen"));
    EXPECT_EQ(d->optEnter->text(), QStringLiteral("Enter"));
    EXPECT_EQ(d->optKeins->text(), QStringLiteral("Keins"));

    EXPECT_TRUE(d->chkTastatur->isChecked());
    EXPECT_EQ(d->txtAnwendung->text(), QStringLiteral("gedit"));
    EXPECT_FALSE(d->chkNr->isChecked());
    EXPECT_TRUE(d->chkDatum->isChecked());
    EXPECT_FALSE(d->chkEinheit->isChecked());
    EXPECT_TRUE(d->chkMaterial->isChecked());
    EXPECT_TRUE(d->optEnter->isChecked());

    w->English->trigger();
    d->hide();
    d = open();
    EXPECT_EQ(d->chkTastatur->text(), QStringLiteral("Activate function"));
    EXPECT_EQ(d->optKeins->text(), QStringLiteral("None"));
}

TEST_F(KeyEventDialog, TickingTheFunctionWithoutAnApplicationStoresItOff) {
    for (const QString& box : {QString(), QStringLiteral(" ")}) {
        begin();
        frmTastatur* d = open();
        EXPECT_TRUE(d->optKeins->isChecked());
        d->chkTastatur->setChecked(true);
        d->txtAnwendung->setText(box);
        d->cmdOk->click();
        EXPECT_FALSE(d->isVisible());
        EXPECT_FALSE(d->chkTastatur->isChecked());
        EXPECT_FALSE(w->state().Settings.KeyEventsEnabled);
        EXPECT_EQ(tastaturIni(), QStringLiteral("0;") + box + QStringLiteral(";0000;\r\n"));
        EXPECT_TRUE(platform().startedPrograms.isEmpty());
    }
}

TEST_F(KeyEventDialog, ChangedApplicationIsStartedAndAnUnchangedOneNotTwice) {
    begin(QStringLiteral("1;gedit;0000;"));
    ASSERT_EQ(platform().startedPrograms, QStringList{QStringLiteral("gedit")});
    open()->cmdOk->click();
    EXPECT_EQ(platform().startedPrograms.size(), 1);

    frmTastatur* d = open();
    d->txtAnwendung->setText(QStringLiteral("kate -n"));
    d->chkNr->setChecked(true);
    d->chkEinheit->setChecked(true);
    d->optEnter->setChecked(true);
    d->cmdOk->click();
    EXPECT_EQ(platform().startedPrograms, (QStringList{"gedit", "kate -n"}));
    EXPECT_EQ(w->state().KeyEventTaskId, 2);
    EXPECT_EQ(tastaturIni(), QStringLiteral("1;kate -n;1010;ENTER\r\n"));
    open()->cmdOk->click();
    EXPECT_EQ(platform().startedPrograms.size(), 2);
}

TEST_F(KeyEventDialog, ApplicationChangedWhileOffKeepsThePreviousOne) {
    begin(QStringLiteral("0;gedit;0000;"));
    frmTastatur* d = open();
    d->txtAnwendung->setText(QStringLiteral("kate"));
    d->cmdOk->click();
    EXPECT_EQ(w->state().Settings.KeyEventApp, QStringLiteral("gedit"));
    EXPECT_EQ(tastaturIni(), QStringLiteral("0;gedit;0000;\r\n"));
    EXPECT_TRUE(platform().startedPrograms.isEmpty());
    // Switched on later, the application shown is the one kept.
    d = open();
    EXPECT_EQ(d->txtAnwendung->text(), QStringLiteral("gedit"));
    d->chkTastatur->setChecked(true);
    d->cmdOk->click();
    EXPECT_EQ(platform().startedPrograms, QStringList{QStringLiteral("gedit")});
}

TEST_F(KeyEventDialog, ReopenedAfterKeinsShowsKeins) {
    begin(QStringLiteral("1;gedit;0000;ENTER"));
    frmTastatur* d = open();
    EXPECT_TRUE(d->optEnter->isChecked());
    d->optKeins->setChecked(true);
    d->cmdOk->click();
    EXPECT_EQ(tastaturIni(), QStringLiteral("1;gedit;0000;\r\n"));
    d = open();
    EXPECT_TRUE(d->optKeins->isChecked());
    EXPECT_FALSE(d->optEnter->isChecked());
}

TEST_F(KeyEventDialog, ClickIntoTheApplicationBoxChoosesAFile) {
    begin(QStringLiteral("1;gedit;0000;"));
    frmTastatur* d = open();
    platform().fileNames.push_back(QStringLiteral("/opt/Mess Werkzeuge/tabelle"));
    QTest::mouseClick(d->txtAnwendung, Qt::LeftButton);
    // Quoted, the path stays one word of the command line.
    EXPECT_EQ(d->txtAnwendung->text(), QStringLiteral("\"/opt/Mess Werkzeuge/tabelle\""));
    QTest::mouseClick(d->txtAnwendung, Qt::LeftButton);
    EXPECT_EQ(d->txtAnwendung->text(), QStringLiteral("\"/opt/Mess Werkzeuge/tabelle\""));
    d->cmdOk->click();
    EXPECT_EQ(tastaturIni(), QStringLiteral("1;\"/opt/Mess Werkzeuge/tabelle\";0000;\r\n"));
}

TEST_F(KeyEventDialog, TargetClosedByTheUserIsStartedAgainAtOk) {
    begin(QStringLiteral("1;gedit;0000;"));
    platform().endedPrograms << 1;
    open()->cmdOk->click();
    EXPECT_EQ(platform().startedPrograms, (QStringList{"gedit", "gedit"}));
    EXPECT_EQ(w->state().KeyEventTaskId, 2);
}

TEST_F(KeyEventDialog, MissingDisplayIsToldOnceWhenTheFunctionComesOn) {
    platform().road = PlatformServices::KeyRoad::None;
    begin(QStringLiteral("0;gedit;0000;"));
    EXPECT_TRUE(platform().messages.empty());
    frmTastatur* d = open();
    d->chkTastatur->setChecked(true);
    d->cmdOk->click();
    ASSERT_EQ(platform().messages.size(), 1u);
    EXPECT_TRUE(platform().messages[0].text.contains(QStringLiteral("keine X11-Anzeige")));
    EXPECT_TRUE(log().contains(QStringLiteral("keine X11-Anzeige")));
    open()->cmdOk->click();
    EXPECT_EQ(platform().messages.size(), 1u);
}

TEST_F(KeyEventDialog, OnWaylandItSaysWhereTheValuesGoInEitherLanguage) {
    platform().road = PlatformServices::KeyRoad::Portal;
    begin(QStringLiteral("1;gedit;0000;"));
    frmTastatur* d = open();
    EXPECT_TRUE(d->lblWayland->isVisible());
    EXPECT_TRUE(d->lblWayland->text().contains(
        QStringLiteral("in das Fenster getippt, das den Fokus hat")));
    EXPECT_TRUE(d->txtAnwendung->isVisible());
    w->English->trigger();
    d->hide();
    d = open();
    EXPECT_TRUE(
        d->lblWayland->text().contains(QStringLiteral("typed into the window that has the focus")));
    // The program neither starts nor raises a window there.
    EXPECT_TRUE(platform().startedPrograms.isEmpty());
}

TEST_F(KeyEventDialog, OnX11TheWaylandNoteIsNotShown) {
    begin(QStringLiteral("1;gedit;0000;"));
    EXPECT_FALSE(open()->lblWayland->isVisible());
}

// There the values go to the focused window, so the function needs no application.
TEST_F(KeyEventDialog, OnWaylandTheFunctionComesOnWithoutAnApplicationAndAsksTheDesktop) {
    platform().road = PlatformServices::KeyRoad::Portal;
    begin(QStringLiteral("0;;0000;"));
    EXPECT_TRUE(platform().keyboardRequests.isEmpty());
    frmTastatur* d = open();
    d->chkTastatur->setChecked(true);
    d->cmdOk->click();
    EXPECT_TRUE(w->state().Settings.KeyEventsEnabled);
    EXPECT_EQ(tastaturIni(), QStringLiteral("1;;0000;\r\n"));
    EXPECT_EQ(platform().keyboardRequests, QStringList{QString()});
    EXPECT_TRUE(platform().startedPrograms.isEmpty());

    platform().keyboardStarted(QStringLiteral("t-1"));
    open()->chkTastatur->setChecked(false);
    d->cmdOk->click();
    EXPECT_FALSE(platform().keyboardOpen());
    EXPECT_EQ(tastaturIni(), QStringLiteral("0;;0000;\r\n"));
}

// The dialog as a user sees it; with SCREENSHOT_DIR set the pictures are kept.
TEST_F(KeyEventDialog, Screenshot) {
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    for (const bool wayland : {false, true}) {
        if (wayland)
            platform().road = PlatformServices::KeyRoad::Portal;
        begin(QStringLiteral("1;/usr/local/bin/tabelle --neu;1101;ENTER"));
        frmTastatur* d = open();
        const QPixmap picture = d->grab();
        ASSERT_FALSE(picture.isNull());
        const QString name = wayland ? "key-events-wayland.png" : "key-events.png";
        if (!folder.isEmpty())
            EXPECT_TRUE(picture.save(QDir(folder).filePath(name)));
    }
    w->English->trigger();
    w->keyEventDialog()->hide();
    const QPixmap english = open()->grab();
    if (!folder.isEmpty())
        EXPECT_TRUE(
            english.save(QDir(folder).filePath(QStringLiteral("key-events-wayland-en.png"))));
}

} // namespace
