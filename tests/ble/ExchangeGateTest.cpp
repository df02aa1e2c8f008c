#include "BleSimFixture.h"
#include "ScriptedBleInstrument.h"
#include "core/BleGatt.h"
#include "core/QStringPrinter.h"
#include "extras/frmTime.h"
#include "link/ble/BleLink.h"
#include "support/BleConnect.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs a step just before a tick of the clock dialog's timer is handled.
class ClockTicks : public QObject {
public:
    std::function<void()> before;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Timer && before && qobject_cast<QTimer*>(watched) != nullptr &&
            qobject_cast<frmTime*>(watched->parent()) != nullptr)
            before();
        return false;
    }
};

// The main window of a "DPB" installation over the real LE link and exchange, with the scripted
// instrument answering in this process. Its answers can be kept on their way, so that something
// the user starts meanwhile meets an exchange that has not ended, as over a slow radio.
class BusyBleLink : public ::testing::Test {
protected:
    // How long an answer on its way takes when no later request pushes it out.
    static constexpr int AirTimeMs = 50;

    void SetUp() override {
        instrument.instrument.setMemories({{"1", 40}, {"2", 20}});
        w = install.startWith([this](frmTransfer& window) {
            return new BleLink(client, install.platform, window.state().Device);
        });
        answer = client->script;
        client->script = [this](const QStringList& call) { receive(call); };
        onTheWay.setSingleShot(true);
        QObject::connect(&onTheWay, &QTimer::timeout, [this] { release(); });
        ticks.before = [this] {
            // The answer is handled first, in the same pass of the event loop, as when it comes
            // from the radio just as the tick falls due.
            if (held.isEmpty())
                return;
            release();
            QCoreApplication::sendPostedEvents(client, QEvent::MetaCall);
        };
        qApp->installEventFilter(&ticks);
    }

    void TearDown() override { qApp->removeEventFilter(&ticks); }

    void receive(const QStringList& call) {
        const bool block =
            call.at(0) == "Read" && call.at(2) == instrument.serviceId(BleGatt::StorageDataChar);
        if (block && ++blockReads == blockWithTheTick) {
            held.append(call);
            // Should no tick come, the download goes on all the same.
            onTheWay.start(4 * frmTime::PollEveryMs);
            return;
        }
        if (!slowRadio) {
            answer(call);
            return;
        }
        release();
        held.append(call);
        onTheWay.start(AirTimeMs);
    }

    void release() {
        onTheWay.stop();
        while (!held.isEmpty())
            answer(held.takeFirst());
    }

    void download(int entry) {
        w->cmbSpeicher->setCurrentIndex(entry);
        w->cmdLesen->click();
    }

    // Lets what the download left in the event loop run, a box it raised among it, until the
    // instrument's probe is free again.
    bool settle() {
        bool ran = false;
        QTimer::singleShot(0, w.get(), [&ran] { ran = true; });
        return WaitFor([&] { return ran && instrument.instrument.probeReleased(); }, 5000);
    }

    // Number and value of each row, as the table shows them.
    QStringList shownValues() const {
        QStringList rows;
        for (int r = 0; r < w->MSFlex->rowCount(); ++r) {
            const QTableWidgetItem* number = w->MSFlex->item(r, 1);
            const QTableWidgetItem* value = w->MSFlex->item(r, 2);
            rows << (number ? number->text().trimmed() : QString()) + ' ' +
                        (value ? value->text().trimmed() : QString());
        }
        return rows;
    }
    // The same of every value the instrument holds in the memory at index; the table writes
    // the desktop's decimal separator.
    QStringList heldValues(int index) const {
        QStringList rows;
        for (const QString& line : instrument.instrument.memoryLines(index))
            rows << line.left(4).trimmed() + ' ' +
                        line.mid(6, 10).trimmed().replace('.', QLocale().decimalPoint());
        return rows;
    }
    QString countLine() const {
        for (int i = 0; i < w->lstStat->count(); ++i)
            if (w->lstStat->item(i)->text().startsWith(QStringLiteral("Anzahl")))
                return w->lstStat->item(i)->text().simplified();
        return {};
    }
    QString log() const {
        return ReadText(w->state().AppDataPath + QStringLiteral("/Tavelin_TransferLog.txt"));
    }

    TestInstallation install{QStringLiteral("DPB\r\n")};
    ScriptedBleClient* client = new ScriptedBleClient;
    ScriptedBleInstrument instrument{*client};
    std::function<void(const QStringList&)> answer;
    QList<QStringList> held;
    QTimer onTheWay;
    // Every answer stays on its way until the next request reaches the instrument, or for
    // AirTimeMs, so a request sent meanwhile is answered only after it.
    bool slowRadio = false;
    // The answer to this block read, counted from 1, is kept until the clock dialog ticks.
    int blockWithTheTick = 0;
    int blockReads = 0;
    std::unique_ptr<frmTransfer> w;
    ClockTicks ticks;
};

TEST_F(BusyBleLink, RefreshPressedDuringADownloadLeavesTheDownloadWhole) {
    ConnectThroughBleWindow(*w);
    ASSERT_EQ(w->cmbSpeicher->count(), 2);
    bool pressed = false;
    const QMetaObject::Connection watch =
        QObject::connect(&w->link(), &InstrumentLink::progress, w.get(), [&](int values) {
            if (values < 10 || pressed)
                return;
            pressed = true;
            QTimer::singleShot(0, w.get(), [this] { w->cmdRefresh->click(); });
        });
    // The refresh asks for the directory while the answer to a block read is on its way.
    slowRadio = true;
    download(0);
    ASSERT_TRUE(settle());
    QObject::disconnect(watch);
    ASSERT_TRUE(pressed);

    EXPECT_EQ(shownValues(), heldValues(0));
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 40);
    EXPECT_EQ(countLine(), QStringLiteral("Anzahl 40"));
}

TEST_F(BusyBleLink, TheOpenClockDialogLeavesADownloadWhole) {
    ConnectThroughBleWindow(*w);
    w->mnuSetTime->trigger();
    auto* clock = w->findChild<frmTime*>();
    ASSERT_NE(clock, nullptr);
    ASSERT_TRUE(WaitFor([&] { return !clock->txtDateTime->text().isEmpty(); }, 5000));

    // The dialog's next poll comes between two blocks of the download.
    blockWithTheTick = 2;
    download(1);
    ASSERT_TRUE(settle());

    EXPECT_EQ(shownValues(), heldValues(1)) << log().toStdString();
    EXPECT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 20);
    EXPECT_EQ(countLine(), QStringLiteral("Anzahl 20"));
    EXPECT_FALSE(
        install.platform.messageTexts().join('|').contains(QStringLiteral("Fill Messdaten")))
        << install.platform.messageTexts().join('|').toStdString();
    EXPECT_FALSE(log().contains(QStringLiteral("Fill Messdaten")));
    clock->close();
}

} // namespace
