#include "app/frmWerte.h"
#include "core/QStringPrinter.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

class LimitsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        w = install.startScripted();
        w->Unblock_Buttons();
        w->cmdWerte->click();
        dialog = w->limitsDialog();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void enter(QLineEdit* box, const QString& text) {
        box->setText(text);
        emit box->editingFinished();
    }
    QStringList messages() const { return install.platform.messageTexts(); }

    TestInstallation install;
    std::unique_ptr<frmTransfer> w;
    frmWerte* dialog = nullptr;
};

TEST_F(LimitsDialog, AcceptedEntriesSaveToLimitIniAndTheButtonCaption) {
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->txtMinLimit->text(), QStringLiteral("0"));
    enter(dialog->txtMinLimit, QStringLiteral("80,5"));
    enter(dialog->txtMaxLimit, QStringLiteral("120"));
    enter(dialog->txtSoll, QStringLiteral("100"));
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    dialog->cmdSpeichern->click();

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(ReadText(w->state().AppDataPath + "/Limit.ini"),
              QStringLiteral("80,5;120;100;0;\r\n"));
    EXPECT_EQ(w->cmdWerte->text(), QStringLiteral(">   80,5\n<  120,0\n=  100,0"));
}

TEST_F(LimitsDialog, ClosingWithoutSaveKeepsTheLimitsButWritesNothing) {
    enter(dialog->txtMaxLimit, QStringLiteral("50"));
    dialog->close();
    EXPECT_DOUBLE_EQ(w->state().Limit.MaxLimit, 50);
    EXPECT_TRUE(ReadText(w->state().AppDataPath + "/Limit.ini").isEmpty());
}

TEST_F(LimitsDialog, BadEntriesAreRefusedOrMended) {
    enter(dialog->txtMaxLimit, QStringLiteral("zwölf"));
    EXPECT_EQ(messages().value(0), QStringLiteral("Eingabe muss numerisch sein!"));
    EXPECT_DOUBLE_EQ(w->state().Limit.MaxLimit, 0);

    install.platform.clearMessages();
    enter(dialog->txtMaxLimit, QStringLiteral("-5"));
    EXPECT_EQ(messages().value(0), QStringLiteral("Nur positive Werte erlaubt"));
    EXPECT_EQ(dialog->txtMaxLimit->text(), QStringLiteral("5"));
    EXPECT_DOUBLE_EQ(w->state().Limit.MaxLimit, 5);

    install.platform.clearMessages();
    enter(dialog->txtMinLimit, QStringLiteral("10"));
    EXPECT_EQ(messages().value(0), QStringLiteral("Minimum größer als Maximum!"));
    EXPECT_DOUBLE_EQ(w->state().Limit.MinLimit, 10);
}

// However a box is left, its changed entry is checked once and taken; Save checks what is left.
TEST_F(LimitsDialog, SaveTakesAnEntryWhoseEditingNeverFinished) {
    dialog->txtMinLimit->setText(QStringLiteral("90"));
    dialog->cmdSpeichern->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(ReadText(w->state().AppDataPath + "/Limit.ini"), QStringLiteral("90;0;0;0;\r\n"));
    EXPECT_TRUE(w->cmdWerte->text().startsWith(QStringLiteral(">     90")));
}

TEST_F(LimitsDialog, ACorrectionAfterARefusalIsTakenOnSave) {
    enter(dialog->txtMaxLimit, QStringLiteral("abc"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Eingabe muss numerisch sein!")});
    install.platform.clearMessages();
    dialog->txtMaxLimit->setText(QStringLiteral("-7"));
    dialog->cmdSpeichern->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Nur positive Werte erlaubt")});
    EXPECT_EQ(dialog->txtMaxLimit->text(), QStringLiteral("7"));
    EXPECT_EQ(ReadText(w->state().AppDataPath + "/Limit.ini"), QStringLiteral("0;7;0;0;\r\n"));
}

TEST_F(LimitsDialog, ARefusedEntryLeftInItsBoxIsNotSaved) {
    enter(dialog->txtMaxLimit, QStringLiteral("abc"));
    install.platform.clearMessages();
    dialog->cmdSpeichern->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Eingabe muss numerisch sein!")});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(ReadText(w->state().AppDataPath + "/Limit.ini").isEmpty());
}

TEST_F(LimitsDialog, OneEntryLeftTwiceIsCheckedOnce) {
    enter(dialog->txtMaxLimit, QStringLiteral("50"));
    enter(dialog->txtMinLimit, QStringLiteral("60"));
    // The box's own focus loss (a message box taking the activation) finishes it once more.
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(dialog->txtMinLimit, &focusOut);
    emit dialog->txtMinLimit->editingFinished();
    emit dialog->txtMaxLimit->editingFinished();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Minimum größer als Maximum!")});
}

TEST_F(LimitsDialog, RuleWithTargetMovesTheMinimum) {
    dialog->chk8020->click();
    EXPECT_EQ(messages().value(0), QStringLiteral("Eingabe Sollwert bei 80/20 Regel erforderlich"));
    EXPECT_TRUE(w->state().Limit.Rule8020);

    install.platform.clearMessages();
    enter(dialog->txtSoll, QStringLiteral("125"));
    EXPECT_EQ(dialog->txtMinLimit->text(), QStringLiteral("100"));
    EXPECT_EQ(messages().value(0),
              QStringLiteral("Min Limit  an 80/20 Regel angepasst von 0 nach 100"));

    install.platform.clearMessages();
    dialog->cmdLoeschen->click();
    EXPECT_FALSE(w->state().Limit.Rule8020);
    EXPECT_DOUBLE_EQ(w->state().Limit.TargetValue, 0);
    EXPECT_EQ(dialog->txtSoll->text(), QStringLiteral("0"));
}

TEST_F(LimitsDialog, InfoBoxExplainsTheRule) {
    dialog->cmdInfo->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Die 80/20 Regel nach ISO 19840 :\r\n")));
}

TEST_F(LimitsDialog, SavingRecoloursTheTable) {
    dialog->close();
    FeedDownload(*w, MemoryKind::FE,
                 {InstrumentLine(1, 90, QStringLiteral("µm"), QStringLiteral(" Fe"))});
    EXPECT_EQ(w->MSFlex->item(0, 2)->background().style(), Qt::NoBrush);
    w->cmdWerte->click();
    enter(dialog->txtMinLimit, QStringLiteral("95"));
    dialog->cmdSpeichern->click();
    EXPECT_EQ(w->MSFlex->item(0, 2)->background().color(), QColor(239, 162, 162));
}

TEST(LimitsDialogSigned, SignedInstrumentsAreNotOfferedTheRule) {
    TestInstallation install(QStringLiteral("AS3\r\n"));
    auto w = install.startScripted();
    frmWerte* dialog = w->limitsDialog();
    EXPECT_TRUE(dialog->chk8020->isHidden());
    EXPECT_FALSE(dialog->cmdInfo->isEnabled());
}

} // namespace
