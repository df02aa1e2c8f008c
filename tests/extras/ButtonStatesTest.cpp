#include "core/QStringPrinter.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

TEST(ButtonStates, BlockingLeavesStopConnectAndMenusAlone) {
    TestInstallation install;
    auto w = install.startScripted();
    w->Unblock_Buttons();
    EXPECT_TRUE(w->cmdEnde->isEnabled());
    w->Block_Buttons();
    w->Block_Buttons();
    for (QWidget* control : std::initializer_list<QWidget*>{w->optFE,
                                                            w->optNFE,
                                                            w->optOnline,
                                                            w->cmdOpen,
                                                            w->cmdSave,
                                                            w->cmdprint,
                                                            w->cmdWord,
                                                            w->cmdClipboard,
                                                            w->cmdExcel,
                                                            w->cmdLesen,
                                                            w->cmdLesFE,
                                                            w->cmdLesNFE,
                                                            w->cmdEnde,
                                                            w->cmdWerte,
                                                            w->cmdProjekt,
                                                            w->cmdFlexTabelleloeschen,
                                                            w->cmdFlexZeileLoeschen,
                                                            w->cmdSort,
                                                            w->cmdChart,
                                                            w->cmdAbs,
                                                            w->cmdGross})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(w->cmdStop->isEnabled());
    EXPECT_TRUE(w->cmdConnect->isEnabled());
    EXPECT_TRUE(w->mnuEnd->isEnabled());
    // One unblock undoes any number of blocks.
    w->Unblock_Buttons();
    EXPECT_TRUE(w->cmdWerte->isEnabled());
}

TEST(ButtonStates, CountReplacesTheParenthesisedPart) {
    TestInstallation install;
    auto w = install.startScripted();
    w->optFE->setText(QStringLiteral("FE-Speicher (0)"));
    w->state().Kind = MemoryKind::FE;
    w->state().CountSuffix = QStringLiteral(" (12)");
    w->Button_setzen();
    EXPECT_EQ(w->optFE->text(), QStringLiteral("FE-Speicher (12)"));
    EXPECT_EQ(w->state().CountSuffix, QStringLiteral(" (0)"));
}

TEST(ButtonStates, ScanMemoryOfCirrusPro) {
    TestInstallation install(QStringLiteral("CP\r\n"));
    auto w = install.startScripted();
    w->state().Device.MemoryNumber = 96;
    w->state().SelectedMemory = 96;
    w->state().Kind = MemoryKind::FE;
    w->optFE->setText(QStringLiteral("Scan  (0)"));
    w->state().CountSuffix = QStringLiteral(" (7)");
    w->Button_setzen();
    EXPECT_EQ(w->optFE->text(), QStringLiteral("Scan  (7)"));

    w->state().Device.MemoryNumber = 12;
    w->state().SelectedMemory = 12;
    w->state().CountSuffix = QStringLiteral(" (3)");
    w->Button_setzen();
    EXPECT_EQ(w->optFE->text(), QStringLiteral("Speicher 12 (3)"));
}

TEST(ButtonStates, AfterAReadTheMemoryWithValuesIsShown) {
    TestInstallation install;
    auto w = install.startScripted();
    FeedDownload(*w, MemoryKind::NFE,
                 {InstrumentLine(1, 40, QStringLiteral("µm"), QStringLiteral("NFe"))});
    w->state().Device.FECount = 0;
    w->state().Device.NFECount = 1;
    w->state().ReadAllMemories = true;
    w->OptButton_setzen();
    EXPECT_EQ(w->state().Kind, MemoryKind::NFE);
    EXPECT_TRUE(w->optNFE->isChecked());

    TestInstallation online(QStringLiteral("BO2\r\n"));
    auto b = online.startScripted();
    b->OptButton_setzen();
    EXPECT_EQ(b->state().Kind, MemoryKind::Online);
}

TEST(HelpManual, OpensTheModelsManualInTheLanguageOrSaysItIsMissing) {
    TestInstallation install(QStringLiteral("DPB\r\n"));
    auto w = install.startScripted();
    w->mnuHelp1->trigger();
    const QString german = w->state().AppDataPath + "/DE_Manual_Delta-Pro_TRANSFER.pdf";
    EXPECT_EQ(install.platform.openedDocuments, QStringList{german});
    EXPECT_TRUE(install.platform.messages.empty());

    install.platform.openDocumentSucceeds = false;
    w->English->trigger();
    w->mnuHelp1->trigger();
    const QString english = w->state().AppDataPath + "/EN_Manual_Delta-Pro_TRANSFER.pdf";
    EXPECT_EQ(install.platform.messages.back().text,
              QStringLiteral("File ") + english + QStringLiteral(" not found "));
}

TEST(HelpManual, UnknownModelReopensTheEarlierFile) {
    TestInstallation install(QStringLiteral("ZZ\r\n"));
    auto w = install.startScripted();
    install.platform.openDocumentSucceeds = false;
    w->mnuHelp1->trigger();
    EXPECT_EQ(install.platform.messages.back().text, QStringLiteral("Datei  wurde nicht gefunden"));
}

} // namespace
