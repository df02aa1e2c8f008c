#include "app/frmWerte.h"
#include "core/QStringPrinter.h"
#include "support/TestInstallation.h"
#include "ui/QtPlatformServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The limits dialog typed at as a user does, with the real message boxes answered from the
// keyboard: focus moves, nested boxes and all.
class LimitsKeyboard : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        w = std::make_unique<frmTransfer>(services, install.programFolder());
        w->Form_Load();
        w->Unblock_Buttons();
        w->show();
        w->cmdWerte->click();
        dialog = w->limitsDialog();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        // Each box that opens is read and closed with the Enter key.
        QObject::connect(&boxWatch, &QTimer::timeout, &boxWatch, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            shown << box->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        boxWatch.start(20);
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Types into the focused box and leaves it with Tab; returns once every box is answered.
    void typeAndTab(const QString& text) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        if (auto* edit = qobject_cast<QLineEdit*>(focused))
            edit->selectAll();
        QTest::keyClicks(focused, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::qWait(300);
        ASSERT_EQ(QApplication::activeModalWidget(), nullptr);
        // A window manager gives the dialog back its activation once the box is gone.
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    }

    TestInstallation install;
    QtPlatformServices services;
    std::unique_ptr<frmTransfer> w;
    frmWerte* dialog = nullptr;
    QTimer boxWatch;
    QStringList shown;
};

TEST_F(LimitsKeyboard, AnEntryCorrectedAfterTheBoxWasClosedWithEnterIsTaken) {
    dialog->txtMinLimit->setFocus();
    typeAndTab(QStringLiteral("abc"));
    EXPECT_EQ(shown, QStringList{QStringLiteral("Eingabe muss numerisch sein!")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->txtMinLimit);

    typeAndTab(QStringLiteral("90"));
    EXPECT_DOUBLE_EQ(w->state().Limit.MinLimit, 90);
    dialog->cmdSpeichern->click();
    EXPECT_EQ(ReadText(w->state().AppDataPath + "/Limit.ini"), QStringLiteral("90;0;0;0;\r\n"));
    EXPECT_TRUE(w->cmdWerte->text().startsWith(QStringLiteral(">     90")));
}

TEST_F(LimitsKeyboard, ANegativeCorrectionIsMadePositive) {
    dialog->txtMaxLimit->setFocus();
    typeAndTab(QStringLiteral("abc"));
    shown.clear();
    typeAndTab(QStringLiteral("-7"));
    EXPECT_EQ(shown, QStringList{QStringLiteral("Nur positive Werte erlaubt")});
    EXPECT_EQ(dialog->txtMaxLimit->text(), QStringLiteral("7"));
    EXPECT_DOUBLE_EQ(w->state().Limit.MaxLimit, 7);
}

} // namespace

TEST_F(LimitsKeyboard, AMinimumCorrectedToANegativeNumberIsCheckedLikeAnyEntry) {
    dialog->txtMinLimit->setFocus();
    typeAndTab(QStringLiteral("abc"));
    shown.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    typeAndTab(QStringLiteral("-5"));
    EXPECT_EQ(shown, QStringList{QStringLiteral("Nur positive Werte erlaubt")});
    EXPECT_EQ(dialog->txtMinLimit->text(), QStringLiteral("5"));
    shown.clear();
    typeAndTab(QStringLiteral("3"));
    EXPECT_EQ(shown, QStringList{QStringLiteral("Minimum größer als Maximum!")});
}
