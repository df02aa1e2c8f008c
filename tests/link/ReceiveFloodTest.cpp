#include "core/MesReader.h"
#include "core/QStringPrinter.h"
#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"
#include "support/TinyFileSystem.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <utility>

// Floods of values, broken lines and failing saves through the real port from the simulator:
// values keep reaching the table in order, each kind of message has at most one box open, and
// the rest are counted.
namespace {

constexpr int Com = 7;
constexpr int Deadline = 20000;

class ReceiveFlood : public ::testing::Test {
protected:
    // A DP instrument on COM7, connected, the window receiving online values.
    void SetUp() override {
        const QString title = ProfileForModel(QStringLiteral("DP")).Title;
        const QString appData = install.configHome() + QStringLiteral("/Tavelin/") + title;
        QDir().mkpath(appData);
        WriteText(appData + QStringLiteral("/Port.ini"), QStringLiteral("%1\r\n").arg(Com));
        SimOptions options;
        options.PortsFolder = PortsFolder(appData);
        options.ComNumber = Com;
        options.FeCount = 1;
        ASSERT_FALSE(sim.start(QStringLiteral("DP"), options).isEmpty());
        w = install.start();
        w->cmdConnect->click();
        ASSERT_TRUE(w->link().LinkConnected());
        w->optOnline->click();
        ASSERT_EQ(w->state().Kind, MemoryKind::Online);
        logPath = appData + QStringLiteral("/Tavelin_TransferLog.txt");
        // The first box stays open, as a user away from the desk leaves it, while the rest of
        // the flood arrives; the boxes open meanwhile are recorded.
        install.platform.whileOpen = [this](const FakePlatformServices::Message&) {
            nestings << install.platform.openBoxes;
            if (const auto rest = std::exchange(restOfFlood, nullptr)) {
                rest();
                EXPECT_TRUE(WaitFor(floodOver));
            }
        };
    }

    static bool WaitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, Deadline);
    }

    void send(const QStringList& lines) {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += line.toLatin1() + "\r\n";
        sim.sendRaw(bytes);
    }

    QList<double> onlineValues() const {
        QList<double> values;
        for (int slot = 1; slot <= w->MSFlex->rowCount(); ++slot)
            values << w->state().Store.at(MemoryKind::Online, slot).Value;
        return values;
    }

    // Boxes whose text starts so; and no moment with two of them open at once.
    int boxes(const QString& start) const {
        int shown = 0;
        for (const QString& text : install.platform.messageTexts())
            shown += text.startsWith(start) ? 1 : 0;
        for (const QStringList& open : nestings) {
            int same = 0;
            for (const QString& text : open)
                same += text.startsWith(start) ? 1 : 0;
            EXPECT_LE(same, 1) << open.join(" > ").toStdString();
        }
        return shown;
    }

    int logLines(const QString& start) const {
        int count = 0;
        for (const QString& line : ReadText(logPath).split(QStringLiteral("\r\n")))
            count += line.startsWith(start) ? 1 : 0;
        return count;
    }

    QString status() const { return w->statusBar()->currentMessage(); }

    TestInstallation install;
    InstrumentSimulator sim;
    std::unique_ptr<frmTransfer> w;
    QString logPath;
    std::function<void()> restOfFlood; // sent while the first box is open
    std::function<bool()> floodOver;
    QList<QStringList> nestings;
};

// A line that reaches the parser (it starts with a blank or a digit) but holds no value the table
// can show.
QString BrokenLine(QRandomGenerator& random) {
    switch (random.bounded(6)) {
    case 0:
        return QStringLiteral("   4  abcdefghij µm   Fe");
    case 1:
        return QStringLiteral("  12  ");
    case 2:
        return QStringLiteral("   1       1e308 µm   Fe");
    case 3:
        return QStringLiteral("   1      -1e309 µm   Fe");
    case 4:
        return QStringLiteral("   1         nan µm   Fe");
    default: {
        // Noise from a garbled link: no digit, and none of the characters that end lines or
        // exchanges.
        QString noise(QStringLiteral(" "));
        for (int i = random.bounded(1, 40); i > 0; --i) {
            char c = static_cast<char>(random.bounded(32, 256));
            if (c >= '0' && c <= '9')
                c = '#';
            noise += QChar::fromLatin1(c);
        }
        return noise;
    }
    }
}

TEST_F(ReceiveFlood, EveryGoodLineAndNoBrokenOneBecomesARow) {
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE("seed " + std::to_string(seed));
    QRandomGenerator random(seed);
    QStringList lines;
    QList<double> good;
    int broken = 0;
    for (int i = 0; i < 200; ++i) {
        if (random.bounded(3) == 0) {
            lines << BrokenLine(random);
            ++broken;
        } else {
            const double value = random.bounded(1, 99999) / 10.0;
            good << value;
            lines << InstrumentLine(i, value, QStringLiteral("µm"), QStringLiteral(" Fe"));
        }
    }
    const QString refused = QStringLiteral("Fill Messdaten: ");
    floodOver = [&] { return w->MSFlex->rowCount() == good.size() && logLines(refused) == broken; };
    const qsizetype firstBroken =
        std::find_if(lines.begin(), lines.end(),
                     [&](const QString& l) { return !l.startsWith(QStringLiteral("  ")); }) -
        lines.begin();
    restOfFlood = [&] { send(lines.mid(firstBroken + 1)); };
    send(lines.mid(0, firstBroken + 1));

    ASSERT_TRUE(WaitFor([&] { return floodOver() && !restOfFlood; }))
        << w->MSFlex->rowCount() << " rows";
    EXPECT_EQ(onlineValues(), good);
    EXPECT_EQ(w->state().Counters.OnlineCounter, good.size() + 1);
    EXPECT_EQ(boxes(refused), 1);
    EXPECT_EQ(status(), QStringLiteral("Fill Messdaten: %1 Zeilen verworfen").arg(broken));
    for (int row = 0; row < w->MSFlex->rowCount(); ++row)
        ASSERT_EQ(w->MSFlex->item(row, 2)->text().size(), 11);

    // With SCREENSHOT_DIR set, the window with the count in its status line is kept to look at.
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        w->show();
        QTest::qWait(50);
        EXPECT_TRUE(w->grab().save(QDir(folder).filePath(QStringLiteral("refused-lines.png"))));
    }
}

TEST_F(ReceiveFlood, ValuesBeyondTheTableAreRefusedAndCountedUnderOneBox) {
    // A table almost full, as after a long day of online measuring.
    AppState& s = w->state();
    for (int slot = 1; slot <= 4995; ++slot) {
        MeasurementRecord& record = s.Store.at(MemoryKind::Online, slot);
        record.Number = static_cast<qint16>(slot);
        record.Value = 50;
        record.Unit = QStringLiteral("µm");
    }
    s.Counters.OnlineCounter = 4996;
    w->FillMSFlexOne();

    QStringList lines;
    QList<double> taken;
    for (int i = 1; i <= 20; ++i) {
        lines << InstrumentLine(i, 100 + i, QStringLiteral("µm"), QStringLiteral(" Fe"));
        if (i <= 5)
            taken << 100 + i;
    }
    const QString limit = QStringLiteral("Maximale Werteanzahl überschritten 5000");
    floodOver = [&] { return logLines(limit) == 15; };
    restOfFlood = [&] { send(lines.mid(6)); };
    send(lines.mid(0, 6));

    ASSERT_TRUE(WaitFor([&] { return floodOver() && !restOfFlood; })) << logLines(limit);
    EXPECT_EQ(w->MSFlex->rowCount(), 5000);
    EXPECT_EQ(onlineValues().mid(4995), taken);
    EXPECT_EQ(boxes(limit), 1) << install.platform.messageTexts().join('|').toStdString();
    EXPECT_EQ(status(), limit + QStringLiteral(": 15 Werte nicht übernommen"));

    // A cleared table starts a new series, whose limit would get a box of its own.
    install.platform.answers = {PlatformServices::Answer::Yes};
    w->cmdFlexTabelleloeschen->click();
    EXPECT_EQ(status(), QString());
}

TEST_F(ReceiveFlood, FullDiskKeepsOnlineMesAndTheValuesFlowOn) {
    const QString folder = w->state().MessDataPath + QStringLiteral("/mes");
    const TinyFileSystem disk(folder);
    if (!disk.mounted())
        GTEST_SKIP() << disk.error().toStdString();
    const QString online = folder + QStringLiteral("/Online.mes");
    for (int i = 0; i < 3; ++i)
        sim.sendOnlineValue();
    ASSERT_TRUE(WaitFor([&] { return w->MSFlex->rowCount() == 3; }));
    QFile file(online);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    file.close();
    ASSERT_EQ(ReadMesText(saved, w->state().Device).Records.size(), 3u);
    disk.fill();

    const QString failure = QStringLiteral("Fehler beim Speichern der Datei ") +
                            QDir::toNativeSeparators(online) + QStringLiteral(": ");
    floodOver = [&] { return w->MSFlex->rowCount() == 23 && logLines(failure) == 20; };
    restOfFlood = [&] {
        for (int i = 0; i < 19; ++i)
            sim.sendOnlineValue();
    };
    sim.sendOnlineValue();
    ASSERT_TRUE(WaitFor([&] { return floodOver() && !restOfFlood; }))
        << w->MSFlex->rowCount() << " rows";
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), saved);
    file.close();
    EXPECT_EQ(boxes(failure), 1);
    // The window speaks German, the system's reason too.
    EXPECT_TRUE(install.platform.messageTexts().contains(
        failure + QStringLiteral("Kein Speicherplatz mehr auf dem Datenträger")))
        << install.platform.messageTexts().join('|').toStdString();
    EXPECT_EQ(status(), QStringLiteral("Online.mes nicht gespeichert: 20-mal"));

    // Space again: the next value is saved with all the others, and the count is done.
    disk.empty();
    sim.sendOnlineValue();
    ASSERT_TRUE(WaitFor([&] { return w->MSFlex->rowCount() == 24; }));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(ReadMesText(file.readAll(), w->state().Device).Records.size(), 24u);
    EXPECT_EQ(status(), QString());
}

} // namespace
