#include "PortalSim.h"
#include "core/KeyboardToken.h"
#include "core/QStringPrinter.h"
#include "extras/frmTastatur.h"
#include "support/LineFeeder.h"
#include "support/ScriptedLink.h"
#include "support/TestInstallation.h"
#include "ui/QtPlatformServices.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

// The program on a Wayland desktop: key events go through the simulated portal on the private
// session bus, by the program's own D-Bus code.

namespace {

// Boxes and dialogs stay scripted; the key road and the portal's keyboard are the desktop's own.
class PortalKeys : public FakePlatformServices {
public:
    KeyRoad keyRoad() const override { return m_desktop.keyRoad(); }
    bool sendKeys(const QString& keys) override { return m_desktop.sendKeys(keys); }
    void openKeyboard(const QString& restoreToken, std::function<void(const QString&)> started,
                      std::function<void(KeyboardEnd)> ended) override {
        m_desktop.openKeyboard(restoreToken, std::move(started), std::move(ended));
    }
    void closeKeyboard() override { m_desktop.closeKeyboard(); }
    bool keyboardOpen() const override { return m_desktop.keyboardOpen(); }

private:
    QtPlatformServices m_desktop;
};

class PortalKeyEvents : public PortalSimTest {
protected:
    void TearDown() override {
        w.reset();
        PortalSimTest::TearDown();
    }

    // A fresh installation whose Tastatur.ini holds the line, and the program started on it.
    void begin(const QString& tastaturLine) {
        appData = install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
        QDir().mkpath(appData);
        WriteText(appData + QStringLiteral("/Tastatur.ini"), tastaturLine + QStringLiteral("\r\n"));
        run();
    }
    // The program started (again) on the installation, showing the Online memory.
    void run() {
        w.reset();
        w = std::make_unique<frmTransfer>(platform, install.programFolder());
        w->useLink(new ScriptedLink);
        w->Form_Load();
        w->optOnline_Click();
    }
    bool keyboardOpens() {
        return WaitFor([&] { return platform.keyboardOpen(); });
    }
    // One online value, in the table once this returns.
    void measure(double value) {
        const int rows = w->MSFlex->rowCount();
        FeedOnline(*w,
                   InstrumentLine(rows + 1, value, QStringLiteral("µm"), QStringLiteral("NFe")));
        ASSERT_EQ(w->MSFlex->rowCount(), rows + 1);
    }
    QString cell(int row, int column) const { return w->MSFlex->item(row, column)->text(); }
    // Every value of the table is in Online.mes.
    void expectOnlineMesHoldsTheTable() {
        const QString mes = ReadText(w->state().MessDataPath + QStringLiteral("/mes/Online.mes"));
        for (int row = 0; row < w->MSFlex->rowCount(); ++row)
            EXPECT_TRUE(mes.contains(cell(row, 2).trimmed())) << mes.toStdString();
    }
    QString log() const { return ReadText(appData + QStringLiteral("/Tavelin_TransferLog.txt")); }

    PortalKeys platform;
    TestInstallation install;
    QString appData;
    std::unique_ptr<frmTransfer> w;
};

const QString Refused = QStringLiteral("Tastatur Events können nicht gesendet werden: die "
                                       "Fernsteuerung der Tastatur wurde am Desktop abgelehnt. "
                                       "Die Funktion ist ausgeschaltet.");
const QString Gone = QStringLiteral("Tastatur Events können nicht mehr gesendet werden: der "
                                    "Desktop hat die Fernsteuerung der Tastatur beendet. Die "
                                    "Funktion ist ausgeschaltet.");

TEST_F(PortalKeyEvents, EveryItemOfAValueArrivesAsTheKeysymsOfItsText) {
    ASSERT_TRUE(startPortal());
    // No application: on Wayland the values go to the focused window.
    begin(QStringLiteral("1;;1111;ENTER"));
    ASSERT_TRUE(keyboardOpens());
    EXPECT_EQ(calls(), (QStringList{"CreateSession",
                                    "SelectDevices types=1 persist=2 restore=", "Start asked"}));
    EXPECT_EQ(ReadKeyboardToken(appData), QStringLiteral("token-1"));
    EXPECT_TRUE(platform.startedPrograms.isEmpty());

    measure(-12.5);
    measure(40.25);
    QString expected;
    for (int row = 0; row < 2; ++row) {
        const MeasurementRecord& r = w->state().Store.at(MemoryKind::Online, row + 1);
        expected +=
            cell(row, 1) + " " + r.DateText + cell(row, 2) + " " + r.Unit + " " + r.Marker + "\n";
    }
    ASSERT_TRUE(cell(0, 2).contains(u'-'));
    ASSERT_TRUE(expected.contains(QStringLiteral("µm")));
    EXPECT_TRUE(WaitFor([&] { return keysyms().size() == KeysymCalls(expected).size(); }));
    EXPECT_EQ(keysyms(), KeysymCalls(expected));
    // µ, the minus sign and Enter as a desktop reads them, whatever the keyboard layout.
    EXPECT_TRUE(keysyms().contains(QStringLiteral("Keysym 0xb5 pressed")));
    EXPECT_TRUE(keysyms().contains(QStringLiteral("Keysym 0x2d pressed")));
    EXPECT_TRUE(keysyms().contains(QStringLiteral("Keysym 0xff0d released")));
    EXPECT_TRUE(platform.messages.empty()) << platform.messageTexts().join('|').toStdString();
}

// Values that come faster than the desktop takes their keys: the bus holds only so many calls
// awaiting replies, and none may be lost or end the session.
TEST_F(PortalKeyEvents, ABurstOfValuesArrivesWholeAndInOrder) {
    ASSERT_TRUE(startPortal());
    begin(QStringLiteral("1;;1111;ENTER"));
    ASSERT_TRUE(keyboardOpens());
    QString expected;
    for (int row = 0; row < 8; ++row) {
        measure(10 + row);
        const MeasurementRecord& r = w->state().Store.at(MemoryKind::Online, row + 1);
        expected +=
            cell(row, 1) + " " + r.DateText + cell(row, 2) + " " + r.Unit + " " + r.Marker + "\n";
    }
    EXPECT_TRUE(WaitFor([&] { return keysyms().size() == KeysymCalls(expected).size(); }));
    EXPECT_EQ(keysyms(), KeysymCalls(expected));
    EXPECT_TRUE(platform.messages.empty()) << platform.messageTexts().join('|').toStdString();
}

TEST_F(PortalKeyEvents, ASecondRunWithTheKeptTokenStartsWithoutAsking) {
    ASSERT_TRUE(startPortal());
    begin(QStringLiteral("1;;0000;"));
    ASSERT_TRUE(keyboardOpens());
    ASSERT_EQ(ReadKeyboardToken(appData), QStringLiteral("token-1"));

    run();
    ASSERT_TRUE(keyboardOpens());
    EXPECT_EQ(calls(),
              (QStringList{"CreateSession", "SelectDevices types=1 persist=2 restore=",
                           "Start asked", "Close", "CreateSession",
                           "SelectDevices types=1 persist=2 restore=token-1", "Start restored"}));
    // A token opens the keyboard once: the next run needs the one just handed out.
    EXPECT_EQ(ReadKeyboardToken(appData), QStringLiteral("token-2"));
    measure(7);
    EXPECT_TRUE(WaitFor([&] { return keysyms() == KeysymCalls(cell(0, 2)); }))
        << keysyms().join('|').toStdString();
    EXPECT_TRUE(platform.messages.empty()) << platform.messageTexts().join('|').toStdString();
}

// A client may see a request's answer before the reply to its call; nothing may wait on the
// reply then.
TEST_F(PortalKeyEvents, AnswersThatComeBeforeTheRepliesAreTakenAllTheSame) {
    ASSERT_TRUE(startPortal({QStringLiteral("--answer-first")}));
    begin(QStringLiteral("1;;0000;ENTER"));
    ASSERT_TRUE(keyboardOpens());
    measure(8.5);
    EXPECT_TRUE(WaitFor([&] { return keysyms() == KeysymCalls(cell(0, 2) + "\n"); }))
        << keysyms().join('|').toStdString();
}

TEST_F(PortalKeyEvents, ARefusalIsToldOnceAndSwitchesTheFunctionOffKeepingEveryValue) {
    ASSERT_TRUE(startPortal({QStringLiteral("--refuse")}));
    begin(QStringLiteral("1;;0000;ENTER"));
    ASSERT_TRUE(WaitFor([&] { return !platform.messages.empty(); }));
    EXPECT_EQ(platform.messageTexts(), QStringList{Refused});
    EXPECT_FALSE(w->state().Settings.KeyEventsEnabled);
    for (int i = 0; i < 3; ++i)
        measure(10 + i);
    platform.waitMs(50);
    EXPECT_EQ(w->MSFlex->rowCount(), 3);
    expectOnlineMesHoldsTheTable();
    EXPECT_EQ(platform.messageTexts(), QStringList{Refused});
    EXPECT_EQ(log().count(Refused), 1);
    EXPECT_TRUE(keysyms().isEmpty());
    EXPECT_EQ(calls().last(), QStringLiteral("Start asked refused"));
    EXPECT_TRUE(ReadKeyboardToken(appData).isEmpty());
    // Off for this run only: the next run asks again.
    EXPECT_EQ(ReadText(appData + QStringLiteral("/Tastatur.ini")),
              QStringLiteral("1;;0000;ENTER\r\n"));
}

TEST_F(PortalKeyEvents, APortalThatVanishesIsToldOnceAndEveryValueStays) {
    ASSERT_TRUE(startPortal());
    begin(QStringLiteral("1;;0000;ENTER"));
    ASSERT_TRUE(keyboardOpens());
    measure(1.5);
    ASSERT_TRUE(WaitFor([&] { return keysyms().size() == KeysymCalls(cell(0, 2) + "\n").size(); }));

    killPortal();
    for (int i = 0; i < 3; ++i)
        measure(2.5 + i);
    ASSERT_TRUE(WaitFor([&] { return !platform.messages.empty(); }));
    for (int i = 0; i < 2; ++i)
        measure(6.5 + i);
    platform.waitMs(50);
    EXPECT_EQ(platform.messageTexts(), QStringList{Gone});
    EXPECT_EQ(log().count(Gone), 1);
    EXPECT_FALSE(w->state().Settings.KeyEventsEnabled);
    EXPECT_FALSE(platform.keyboardOpen());
    EXPECT_EQ(w->MSFlex->rowCount(), 6);
    expectOnlineMesHoldsTheTable();
}

TEST_F(PortalKeyEvents, TheDesktopEndingTheSessionIsToldOnce) {
    ASSERT_TRUE(startPortal());
    begin(QStringLiteral("1;;0000;"));
    ASSERT_TRUE(keyboardOpens());
    control(QStringLiteral("CloseSessions"));
    ASSERT_TRUE(WaitFor([&] { return !platform.messages.empty(); }));
    measure(3);
    platform.waitMs(50);
    EXPECT_EQ(platform.messageTexts(), QStringList{Gone});
    EXPECT_FALSE(w->state().Settings.KeyEventsEnabled);
    EXPECT_TRUE(keysyms().isEmpty());
}

// A portal that does not say where it will answer cannot be waited for: as good as none.
TEST_F(PortalKeyEvents, WithoutAPortalOrWithoutAKeyboardTheStartSaysSoOnce) {
    const QList<QStringList> portals{
        {}, {QStringLiteral("--devices"), QStringLiteral("2")}, {"--own-request-names"}};
    for (const QStringList& options : portals) {
        killPortal();
        if (!options.isEmpty())
            ASSERT_TRUE(startPortal(options));
        platform.clearMessages();
        begin(QStringLiteral("1;;0000;"));
        ASSERT_TRUE(WaitFor([&] { return !platform.messages.empty(); }));
        measure(3);
        platform.waitMs(50);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("Fernsteuerungs-Portal")));
        EXPECT_EQ(w->MSFlex->rowCount(), 1);
        EXPECT_FALSE(w->state().Settings.KeyEventsEnabled);
        if (!options.isEmpty())
            EXPECT_TRUE(keysyms().isEmpty());
    }
}

// Switching the function on in the dialog asks the portal; switching it off gives the keyboard
// back.
TEST_F(PortalKeyEvents, TheDialogsOkStartsAndEndsTheSession) {
    ASSERT_TRUE(startPortal());
    begin(QStringLiteral("0;;0000;"));
    w->show();
    w->mnuTastaturevent->trigger();
    frmTastatur* d = w->keyEventDialog();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
    EXPECT_TRUE(d->lblWayland->isVisible());
    QTest::mouseClick(d->chkTastatur, Qt::LeftButton, {}, QPoint(8, d->chkTastatur->height() / 2));
    ASSERT_TRUE(d->chkTastatur->isChecked());
    QTest::mouseClick(d->cmdOk, Qt::LeftButton);
    EXPECT_TRUE(w->state().Settings.KeyEventsEnabled);
    ASSERT_TRUE(keyboardOpens());
    EXPECT_EQ(ReadText(appData + QStringLiteral("/Tastatur.ini")), QStringLiteral("1;;0000;\r\n"));

    w->mnuTastaturevent->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
    QTest::mouseClick(d->chkTastatur, Qt::LeftButton, {}, QPoint(8, d->chkTastatur->height() / 2));
    QTest::mouseClick(d->cmdOk, Qt::LeftButton);
    EXPECT_FALSE(platform.keyboardOpen());
    EXPECT_TRUE(WaitFor([&] { return calls().contains(QStringLiteral("Close")); }));
    measure(5);
    platform.waitMs(50);
    EXPECT_TRUE(keysyms().isEmpty());
    EXPECT_TRUE(platform.messages.empty()) << platform.messageTexts().join('|').toStdString();
}

} // namespace
