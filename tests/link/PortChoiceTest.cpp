#include "core/QStringPrinter.h"
#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/TestInstallation.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(PortChoice, TypedTextIsFoundInTheListOrRefused) {
    TestInstallation install(QStringLiteral("CP\r\n"));
    auto w = install.start();
    w->ComboPort->clear();
    w->ComboPort->addItem(QStringLiteral("COM10     VCP ttyUSB1"));
    w->ComboPort->addItem(QStringLiteral("COM1      VCP ttyS0"));

    w->ComboPort->setEditText(QStringLiteral("com1"));
    EXPECT_TRUE(w->cmdConnect->isEnabled()); // the COM10 item contains "COM1"
    EXPECT_TRUE(w->txtWait->isHidden());

    w->ComboPort->setEditText(QStringLiteral("COM3"));
    EXPECT_FALSE(w->cmdConnect->isEnabled());
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Bitte gültigen COM-Port wählen !"));

    w->ComboPort->setEditText(QStringLiteral(" "));
    EXPECT_FALSE(w->cmdConnect->isEnabled());

    w->ComboPort->clear();
    w->ComboPort->setEditText(QStringLiteral("COM4"));
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Kein Com-Port verfügbar!"));
    EXPECT_TRUE(w->ComboPort->currentText().isEmpty());
}

TEST(PortChoice, PortNumberIsReadFromTheTextAfterCom) {
    TestInstallation install(QStringLiteral("CP\r\n"));
    auto w = install.start();
    w->ComboPort->setEditText(QStringLiteral("COM12 "));
    w->cmdConnect_Click();
    EXPECT_EQ(w->state().Settings.COMPortNummer, QStringLiteral("12 "));
    w->ComboPort->setEditText(QStringLiteral("COM7"));
    w->cmdConnect_Click();
    EXPECT_EQ(w->state().Settings.COMPortNummer, QStringLiteral("7"));
    EXPECT_EQ(w->txtWait->text(), QStringLiteral("Gerät nicht verfügbar !"));
}

TEST(PortChoice, UnpluggingTheChosenPortIsReported) {
    TestInstallation install(QStringLiteral("CP\r\n"));
    const QString appData = install.configHome() + QStringLiteral("/Tavelin/Cirrus-Pro DIVEDADE");
    QDir().mkpath(appData);
    auto w = install.start();
    w->ComboPort->setEditText(QStringLiteral("COM7"));
    w->PortEvent(2, QStringLiteral("COM7"));
    ASSERT_EQ(install.platform.messages.size(), 1u);
    EXPECT_EQ(install.platform.messages[0].text,
              QStringLiteral("Verbindungsabbruch wegen COM7 Unplugged\r\n"));
    EXPECT_TRUE(w->txtWait->text().isEmpty());
    // A port whose name differs from the box text is not the user's.
    w->PortEvent(2, QStringLiteral("COM8"));
    EXPECT_EQ(install.platform.messages.size(), 1u);
}

bool Listed(const QComboBox& combo, const QString& port) {
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i).section(u' ', 0, 0) == port)
            return true;
    }
    return false;
}

TEST(PortChoice, PortsPluggedInWhileRunningJoinTheListAndLeaveItUnlessChosen) {
    TestInstallation install(QStringLiteral("DP\r\n"));
    const QString appData = install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
    QDir().mkpath(appData);
    auto w = install.start();
    const QComboBox& combo = *w->ComboPort;
    const QString shown = combo.currentText();
    ASSERT_FALSE(Listed(combo, "COM9"));
    SimOptions options;
    options.PortsFolder = PortsFolder(appData);

    options.ComNumber = 9;
    InstrumentSimulator nine;
    ASSERT_FALSE(nine.start(QStringLiteral("DP"), options).isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Listed(combo, "COM9"); }, 10000));
    EXPECT_EQ(combo.currentText(), shown) << "what the user chose stays";
    nine.unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Listed(combo, "COM9"); }, 10000));

    options.ComNumber = 12;
    InstrumentSimulator twelve;
    ASSERT_FALSE(twelve.start(QStringLiteral("DP"), options).isEmpty());
    options.ComNumber = 10;
    InstrumentSimulator ten;
    ASSERT_FALSE(ten.start(QStringLiteral("DP"), options).isEmpty());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return Listed(combo, "COM10") && Listed(combo, "COM12"); }, 10000));
    const int at10 = combo.findText(QStringLiteral("COM10"), Qt::MatchStartsWith);
    EXPECT_EQ(combo.itemText(at10 + 1).section(u' ', 0, 0), QStringLiteral("COM12"));

    // The chosen port stays listed when it goes; its message is as before.
    w->ComboPort->setEditText(QStringLiteral("COM12"));
    twelve.unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !install.platform.messages.empty(); }, 10000));
    EXPECT_EQ(install.platform.messageTexts().value(0),
              QStringLiteral("Verbindungsabbruch wegen COM12 Unplugged\r\n"));
    EXPECT_TRUE(Listed(combo, "COM12"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("COM12"));
    EXPECT_TRUE(Listed(combo, "COM10"));
}

TEST(PortChoice, PinnedSimulatorPortIsListedForBothLinkKinds) {
    for (const char* model : {"DP", "CP"}) {
        TestInstallation install(QString::fromLatin1(model) + QStringLiteral("\r\n"));
        const QString appData = install.configHome() + QStringLiteral("/Tavelin/") +
                                ProfileForModel(QString::fromLatin1(model)).Title;
        QDir().mkpath(appData);
        SimOptions options;
        options.PortsFolder = PortsFolder(appData);
        options.ComNumber = 9;
        InstrumentSimulator sim;
        ASSERT_FALSE(sim.start(QString::fromLatin1(model), options).isEmpty());
        auto w = install.start();
        EXPECT_GE(w->ComboPort->findText(QStringLiteral("COM9"), Qt::MatchStartsWith), 0) << model;
    }
}

} // namespace
