#include "KeyEventTestWindow.h"
#include "core/KeyboardToken.h"
#include "core/QStringPrinter.h"
#include "support/LineFeeder.h"

#include <QDir>
#include <QTableWidget>

namespace {

class KeyEventForwarding : public KeyEventWindow {
protected:
    void online(int count) {
        if (w->state().Kind != MemoryKind::Online)
            w->optOnline_Click();
        for (int i = 0; i < count; ++i)
            FeedOnline(
                *w, InstrumentLine(i + 1, 40.5 + i, QStringLiteral("µm"), QStringLiteral("NFe")));
    }
    QStringList typed() const { return install.platform.sentKeys; }
};

TEST_F(KeyEventForwarding, EachOnlineValueIsTypedAfterActivatingTheTarget) {
    begin(QStringLiteral("1;gedit;0100;ENTER"));
    online(2);
    ASSERT_EQ(w->MSFlex->rowCount(), 2);
    const QString date = w->state().Store.at(MemoryKind::Online, 1).DateText;
    ASSERT_FALSE(date.isEmpty());
    EXPECT_EQ(typed(),
              (QStringList{"activate:1", " " + date, w->MSFlex->item(0, 2)->text(), "\n",
                           "activate:1", " " + date, w->MSFlex->item(1, 2)->text(), "\n"}));
}

TEST_F(KeyEventForwarding, MemoryDownloadsAndASwitchedOffFunctionTypeNothing) {
    begin(QStringLiteral("1;gedit;1111;ENTER"));
    FeedDownload(*w, MemoryKind::FE, {InstrumentLine(1, 40.5, "µm", " Fe")});
    FeedDownload(*w, MemoryKind::NFE, {InstrumentLine(1, 40.5, "µm", "NFe")});
    EXPECT_TRUE(typed().isEmpty());

    w->state().Settings.KeyEventsEnabled = false;
    online(1);
    EXPECT_EQ(w->MSFlex->rowCount(), 1);
    EXPECT_TRUE(typed().isEmpty());
}

// The box opens from the event loop, after the values that came before it are in the table, and
// counts them.
TEST_F(KeyEventForwarding, EndedTargetIsShownOnceAndLoggedForEveryValue) {
    begin(QStringLiteral("1;gedit;0000;"));
    platform().endedPrograms << 1;
    online(3);
    EXPECT_EQ(w->MSFlex->rowCount(), 3);
    EXPECT_TRUE(platform().messageTexts().isEmpty());
    platform().waitMs(0);
    const QString text = QStringLiteral("App gedit wurde beendet, bitte Pgm neu starten!");
    EXPECT_EQ(platform().messageTexts(),
              QStringList{text + QStringLiteral("\r\n\r\nWerte nicht gesendet: 3")});
    EXPECT_EQ(log().count(text), 3);
    EXPECT_TRUE(typed().isEmpty());
    online(1);
    platform().waitMs(0);
    EXPECT_EQ(platform().messages.size(), 1u);
    EXPECT_EQ(w->state().Store.at(MemoryKind::Online, 4).Value, 40.5);

    w->English->trigger();
    platform().clearMessages();
    w->state().KeyEventGoneShown = false;
    online(1);
    platform().waitMs(0);
    EXPECT_EQ(platform().messageTexts(),
              QStringList{"App gedit was terminated, please restart program!"});
}

TEST_F(KeyEventForwarding, WithoutADisplayTheStartSaysSoOnceAndValuesStayInTheTable) {
    platform().road = PlatformServices::KeyRoad::None;
    begin(QStringLiteral("1;gedit;0000;ENTER"));
    ASSERT_EQ(platform().messages.size(), 1u);
    EXPECT_TRUE(platform().messages[0].text.contains(QStringLiteral("X11")));
    online(2);
    EXPECT_EQ(w->MSFlex->rowCount(), 2);
    EXPECT_EQ(platform().messages.size(), 1u);
    EXPECT_TRUE(typed().isEmpty());
}

TEST_F(KeyEventForwarding, OnWaylandValuesAreTypedOnceTheDesktopHasGivenItsKeyboard) {
    platform().road = PlatformServices::KeyRoad::Portal;
    begin(QStringLiteral("1;gedit;0000;ENTER"));
    ASSERT_EQ(platform().keyboardRequests, QStringList{QString()});
    EXPECT_TRUE(platform().startedPrograms.isEmpty());
    // While the desktop asks the user, its question may have the focus.
    online(1);
    EXPECT_TRUE(typed().isEmpty());
    EXPECT_TRUE(log().contains(QStringLiteral("Wert 1 nicht gesendet")));

    platform().keyboardStarted(QStringLiteral("token-7"));
    EXPECT_EQ(ReadKeyboardToken(appData), QStringLiteral("token-7"));
    online(1);
    EXPECT_EQ(w->MSFlex->rowCount(), 2);
    EXPECT_EQ(typed(), (QStringList{w->MSFlex->item(1, 2)->text(), "\n"}));
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(KeyEventForwarding, OnWaylandTheTokenOfTheLastRunIsHandedToTheDesktop) {
    platform().road = PlatformServices::KeyRoad::Portal;
    QDir().mkpath(install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE"));
    WriteKeyboardToken(install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE"),
                       QStringLiteral("kept"));
    begin(QStringLiteral("1;;0000;"));
    EXPECT_EQ(platform().keyboardRequests, QStringList{QStringLiteral("kept")});
    // A desktop that keeps no token leaves none behind.
    platform().keyboardStarted(QString());
    EXPECT_TRUE(ReadKeyboardToken(appData).isEmpty());
}

TEST_F(KeyEventForwarding, OnWaylandAKeyboardThatIsNotGivenIsToldInTheLanguageOfTheMoment) {
    platform().road = PlatformServices::KeyRoad::Portal;
    begin(QStringLiteral("1;;0000;"));
    w->English->trigger();
    platform().keyboardEnded(PlatformServices::KeyboardEnd::Refused);
    const QString text = QStringLiteral("Key events cannot be sent: remote control of the keyboard "
                                        "was refused on the desktop. The function has been "
                                        "switched off.");
    EXPECT_EQ(platform().messageTexts(), QStringList{text});
    EXPECT_EQ(log().count(text), 1);
    EXPECT_FALSE(w->state().Settings.KeyEventsEnabled);
    online(2);
    EXPECT_EQ(w->MSFlex->rowCount(), 2);
    EXPECT_TRUE(typed().isEmpty());
    EXPECT_EQ(platform().messages.size(), 1u);
}

} // namespace
