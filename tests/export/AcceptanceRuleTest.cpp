#include "ReadBack.h"
#include "app/frmWerte.h"
#include "core/QStringPrinter.h"
#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

// The 90/10 and SSPC-PA 2 rules through the whole program: a simulated instrument on COM7 fills
// the table, the rule is chosen in the limits dialog or read from Limit.ini, and the colours, the
// statistics, the saved .mes file and the workbook show its verdict.

namespace {

constexpr int Com = 7;

const QColor Green(158, 232, 155);
const QColor Red(239, 162, 162);
const QColor Orange(242, 180, 123);
const QColor White(255, 255, 255);

class RuleWindow : public ::testing::Test {
protected:
    // A fresh installation for model DP with the instrument's port pinned; begin() connects to
    // the instrument, whose memory 1 holds the values.
    void SetUp() override {
        install.writeKonfi(QStringLiteral("DP\r\n"));
        appData = install.configHome() + QStringLiteral("/Tavelin/") +
                  ProfileForModel(QStringLiteral("DP")).Title;
        QDir().mkpath(appData);
        WriteText(appData + QStringLiteral("/Port.ini"), QStringLiteral("%1\r\n").arg(Com));
    }
    void begin(const QList<double>& values) {
        SimOptions options;
        options.PortsFolder = PortsFolder(appData);
        options.ComNumber = Com;
        options.FeValues = values;
        options.FeCount = static_cast<int>(values.size());
        ASSERT_FALSE(sim.start(QStringLiteral("DP"), options).isEmpty())
            << sim.errorString().toStdString();
        w = install.start();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        w->cmdConnect->click();
        ASSERT_EQ(w->MSFlex->rowCount(), values.size());
    }

    QColor colour(int row) const { return w->MSFlex->item(row, 2)->background().color(); }
    QStringList statistics() const {
        QStringList lines;
        for (int i = 0; i < w->lstStat->count(); ++i)
            lines << w->lstStat->item(i)->text();
        return lines;
    }
    QStringList savedMes() {
        const QString name = w->state().MessDataPath + QStringLiteral("/mes/rule.mes");
        install.platform.fileNames = {name};
        w->cmdSave->click();
        return ReadText(name).split(QStringLiteral("\r\n"));
    }
    // Column A and B of the workbook, row by row from the first statistics row.
    QStringList workbookRows() {
        install.platform.answers = {PlatformServices::Answer::No};
        install.platform.openedDocuments.clear();
        w->cmdExcel->click();
        const QJsonObject cells =
            ReadWorkbook(install.platform.openedDocuments.value(0))["cells"].toObject();
        QStringList rows;
        for (int r = 5; r <= 12; ++r) {
            const auto text = [&](const char* column) {
                const QJsonValue v = cells[column + QString::number(r)].toObject()["value"];
                return v.isString() ? v.toString() : QString::number(v.toDouble());
            };
            rows << text("A") + QLatin1Char('|') + text("B");
        }
        return rows;
    }

    TestInstallation install;
    InstrumentSimulator sim;
    QString appData;
    std::unique_ptr<frmTransfer> w;
};

// Types into a box of the dialog and leaves it with Tab, as a user does.
void Type(QLineEdit* box, const QString& text) {
    // A dialog counts as active while its main window is; the keys go to the window that is.
    box->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == box->window(); }));
    box->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

TEST_F(RuleWindow, NinetyTenChosenInTheDialogJudgesTheTable) {
    begin({100, 105, 95, 120, 88, 100, 110, 92, 100, 300});
    EXPECT_EQ(w->MSFlex->item(0, 2)->background().style(), Qt::NoBrush);

    w->cmdWerte->click();
    frmWerte* dialog = w->limitsDialog();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    Type(dialog->txtMaxLimit, QStringLiteral("250"));
    Type(dialog->txtSoll, QStringLiteral("100"));
    dialog->chk9010->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(dialog->chk9010->isChecked());
    EXPECT_FALSE(dialog->chk8020->isChecked());
    EXPECT_EQ(dialog->txtMinLimit->text(), QStringLiteral("90"));
    EXPECT_EQ(install.platform.messageTexts(),
              QStringList{QStringLiteral("Min Limit  an 90/10 Regel angepasst von 0 nach 90")});
    dialog->cmdInfo->click();
    EXPECT_TRUE(install.platform.messageTexts().last().startsWith(
        QStringLiteral("Die 90/10 Regel nach IMO PSPC :\r\n")));
    QTest::mouseClick(dialog->cmdSpeichern, Qt::LeftButton);
    EXPECT_EQ(ReadText(appData + QStringLiteral("/Limit.ini")),
              QStringLiteral("90;250;100;0;9010;\r\n"));

    // 95 and 92 lie in the band, 88 below 90 % of the target, 300 above the maximum.
    EXPECT_EQ(colour(0), Green);
    EXPECT_EQ(colour(2), Orange);
    EXPECT_EQ(colour(4), Red);
    EXPECT_EQ(colour(7), Orange);
    EXPECT_EQ(colour(9), Red);
    const QString verdict = QStringLiteral("Regel 90/10 ok: Nein  30 %");
    EXPECT_EQ(statistics().last(), verdict);
    EXPECT_FALSE(statistics().join('|').contains(QStringLiteral("80/20")));

    const QStringList mes = savedMes();
    EXPECT_TRUE(mes.contains(verdict)) << mes.join('\n').toStdString();
    EXPECT_FALSE(mes.join('|').contains(QStringLiteral("80/20")));

    const QStringList rows = workbookRows();
    EXPECT_EQ(rows.mid(0, 4),
              QStringList({"Anzahl|10", "Minimum|88", "Maximum|300", "Mittelwert|121"}));
    EXPECT_TRUE(rows.value(4).startsWith(QStringLiteral("Std.Abw.|")));
    EXPECT_EQ(rows.value(5), QStringLiteral("Regel 90/10 ok:|Nein "));
}

TEST_F(RuleWindow, SspcFromLimitIniColoursBySpotsInEnglish) {
    WriteText(appData + QStringLiteral("/Language.ini"), QStringLiteral("1\r\n"));
    WriteText(appData + QStringLiteral("/Limit.ini"), QStringLiteral("100;150;0;0;SSPC;\r\n"));
    // Spots of 110, 65 (below 80 % of the minimum), 140, 120 and 120; one value left over.
    begin({90, 110, 130, 60, 105, 30, 130, 140, 150, 120, 120, 120, 115, 125, 120, 118});
    EXPECT_EQ(ChosenRule(w->state().Limit), AcceptanceRule::SspcPa2);

    // 90 is below the minimum but its spot passes; 105 is within but its spot fails.
    EXPECT_EQ(colour(0), Green);
    EXPECT_EQ(colour(2), Green);
    EXPECT_EQ(colour(3), Red);
    EXPECT_EQ(colour(4), Red);
    EXPECT_EQ(colour(14), Green);
    EXPECT_EQ(colour(15), White);
    const QStringList stats = statistics();
    ASSERT_GE(stats.size(), 6);
    EXPECT_EQ(stats[stats.size() - 6], QStringLiteral("SSPC-PA 2 ok: No"));
    EXPECT_EQ(stats[stats.size() - 5], QStringLiteral("  last spot incomplete"));
    const QString gap(16, QLatin1Char(' '));
    EXPECT_EQ(stats[stats.size() - 4], QStringLiteral("Spots") + gap + QStringLiteral("5"));
    EXPECT_EQ(stats[stats.size() - 3], QStringLiteral("Areas") + gap + QStringLiteral("1"));
    EXPECT_TRUE(stats[stats.size() - 2].startsWith(QStringLiteral("Spot minimum")));
    EXPECT_TRUE(stats[stats.size() - 2].contains(QStringLiteral("65")));
    EXPECT_TRUE(stats[stats.size() - 1].contains(QStringLiteral("140")));

    const QStringList mes = savedMes();
    const qsizetype at = mes.indexOf(stats[stats.size() - 6]);
    ASSERT_GE(at, 0) << mes.join('\n').toStdString();
    EXPECT_EQ(mes.mid(at, 6), stats.mid(stats.size() - 6));

    EXPECT_TRUE(workbookRows().contains(QStringLiteral("SSPC-PA 2 ok:|No")));

    // The saved file opens with its spots judged alike.
    install.platform.fileNames = {w->state().MessDataPath + QStringLiteral("/mes/rule.mes")};
    w->cmdOpen->click();
    ASSERT_EQ(w->MSFlex->rowCount(), 16);
    EXPECT_EQ(colour(4), Red);
    EXPECT_EQ(colour(15), White);
    // The file keeps the unit without the blanks the instrument sent after it.
    const QStringList reopened = statistics();
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(reopened[reopened.size() - i].trimmed(), stats[stats.size() - i].trimmed());
}

// Online, a spot is judged when its third value comes: the two before it change with it.
TEST(RuleOnline, ASpotIsColouredWhenItsThirdValueArrives) {
    TestInstallation install;
    auto w = install.startScripted();
    w->Unblock_Buttons();
    w->state().Limit = Limits{100, 150, 0, false, {"150", "100", "0"}, AcceptanceRule::SspcPa2};
    w->show();
    w->optOnline->click();
    const auto feed = [&](double value) {
        FeedOnline(*w, InstrumentLine(0, value, QStringLiteral("µm"), QStringLiteral(" Fe")));
    };
    const auto colour = [&](int row) { return w->MSFlex->item(row, 2)->background().color(); };
    feed(60);
    feed(70);
    ASSERT_EQ(w->MSFlex->rowCount(), 2);
    EXPECT_EQ(colour(0), White);
    EXPECT_EQ(colour(1), White);
    QTest::mouseClick(w->MSFlex->viewport(), Qt::LeftButton, {},
                      w->MSFlex->visualItemRect(w->MSFlex->item(0, 1)).center());
    EXPECT_EQ(colour(0), QColor(204, 204, 204));
    feed(80);
    // A marked row keeps its mark.
    EXPECT_EQ(colour(0), QColor(204, 204, 204));
    EXPECT_EQ(colour(1), Red);
    EXPECT_EQ(colour(2), Red);
    feed(120);
    EXPECT_EQ(colour(3), White);
    EXPECT_EQ(colour(2), Red);
}

} // namespace

// The rule boxes of the limits dialog tick one rule at most, 80/20 among them.
TEST(RuleDialog, OneRuleAtMostAndNoneForSignedInstruments) {
    TestInstallation install;
    auto w = install.startScripted();
    w->Unblock_Buttons();
    w->cmdWerte->click();
    frmWerte* dialog = w->limitsDialog();
    QTest::mouseClick(dialog->chk8020, Qt::LeftButton);
    EXPECT_EQ(ChosenRule(w->state().Limit), AcceptanceRule::Iso8020);
    install.platform.clearMessages();
    QTest::mouseClick(dialog->chkSspc, Qt::LeftButton);
    EXPECT_FALSE(dialog->chk8020->isChecked());
    EXPECT_FALSE(w->state().Limit.Rule8020);
    EXPECT_EQ(ChosenRule(w->state().Limit), AcceptanceRule::SspcPa2);
    EXPECT_EQ(
        install.platform.messageTexts(),
        QStringList{QStringLiteral("Eingabe Minimum und Maximum bei SSPC-PA 2 erforderlich")});
    QTest::mouseClick(dialog->chkSspc, Qt::LeftButton);
    EXPECT_EQ(ChosenRule(w->state().Limit), AcceptanceRule::None);
    QTest::mouseClick(dialog->chk9010, Qt::LeftButton);
    QTest::mouseClick(dialog->cmdLoeschen, Qt::LeftButton);
    EXPECT_FALSE(dialog->chk9010->isChecked());
    EXPECT_EQ(ChosenRule(w->state().Limit), AcceptanceRule::None);

    TestInstallation signedInstallation(QStringLiteral("AS3\r\n"));
    auto signedWindow = signedInstallation.startScripted();
    const frmWerte* signedDialog = signedWindow->limitsDialog();
    EXPECT_TRUE(signedDialog->chk9010->isHidden());
    EXPECT_TRUE(signedDialog->chkSspc->isHidden());
}
