#include "core/QStringPrinter.h"
#include "files/frmProjekt.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

QStringList Column(const frmTransfer& w, int column) {
    QStringList texts;
    for (int r = 0; r < w.MSFlex->rowCount(); ++r)
        texts << w.MSFlex->item(r, column)->text();
    return texts;
}

TEST(MainWindowFiles, SavedMemoryReopensIntoFeWithTheFileCaption) {
    TestInstallation install;
    auto w = install.startScripted();
    w->Unblock_Buttons();
    w->state().Limit = Limits{80, 120, 100, false, {"120", "80", "100"}};
    QStringList nfe;
    for (int i = 1; i <= 3; ++i)
        nfe << InstrumentLine(i, 95.5 + i, QStringLiteral("µm"), QStringLiteral("NFe"));
    FeedDownload(*w, MemoryKind::NFE, nfe);
    w->optNFE->click();
    const QStringList values = Column(*w, 2);
    const QStringList times = Column(*w, 0);

    const QString folder = w->state().MessDataPath + QStringLiteral("/mes");
    install.platform.fileNames = {folder + QStringLiteral("/Halle 3")};
    w->cmdSave->click();
    const QString saved = folder + QStringLiteral("/Halle 3.mes");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_TRUE(ReadText(saved).contains(QStringLiteral("NFE-Speicher")));

    FeedDownload(*w, MemoryKind::FE, {InstrumentLine(1, 10, "µm", " Fe")});
    install.platform.fileNames = {saved};
    w->cmdOpen->click();
    EXPECT_EQ(w->state().Kind, MemoryKind::FE);
    EXPECT_TRUE(w->optFE->isChecked());
    EXPECT_EQ(w->optFE->text(), QStringLiteral("Halle 3.mes (3)"));
    EXPECT_EQ(Column(*w, 2), values);
    EXPECT_EQ(Column(*w, 0), times);
    EXPECT_TRUE(install.platform.messages.empty())
        << install.platform.messageTexts().join('|').toStdString();
}

TEST(MainWindowFiles, OnlineCallWritesOnlineMesWithTheProjectHeader) {
    TestInstallation install;
    auto w = install.startScripted();
    w->cmdProjekt_Click();
    frmProjekt* project = w->projectDialog();
    project->txtFelder[0]->setText(QStringLiteral("Brücke Nord"));
    project->cmdSpeichern->click();

    w->optOnline_Click();
    FeedOnline(*w, InstrumentLine(0, 101, "µm", " Fe"));
    w->state().SpeichernShow = false;
    w->cmdSave_Click();
    const QString online = w->state().MessDataPath + QStringLiteral("/mes/Online.mes");
    const QString text = ReadText(online);
    EXPECT_TRUE(text.contains(QStringLiteral("Brücke Nord"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("101")));
    EXPECT_TRUE(w->state().SpeichernShow);
}

} // namespace
