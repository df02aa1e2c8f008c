#include "core/QStringPrinter.h"
#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/TestInstallation.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
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
