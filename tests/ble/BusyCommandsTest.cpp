#include "BleSimFixture.h"
#include "ScriptedBleInstrument.h"
#include "app/frmWerte.h"
#include "core/BleGatt.h"
#include "core/QStringPrinter.h"
#include "extras/frmTime.h"
#include "link/ble/BleLink.h"
#include "support/BleConnect.h"
#include "support/LineFeeder.h"
#include "support/ScriptedLink.h"
#include "support/TestInstallation.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {

// What the user, a dialog or the instrument does while a command waits for the instrument.
enum class Disturbance {
    Refresh,
    ClockPoll,
    Language,
    LimitsClosed,
    OnlineValue,
    End,
    GoneKeyTarget
};
constexpr Disturbance Disturbances[] = {Disturbance::Refresh,      Disturbance::ClockPoll,
                                        Disturbance::Language,     Disturbance::LimitsClosed,
                                        Disturbance::OnlineValue,  Disturbance::End,
                                        Disturbance::GoneKeyTarget};
constexpr const char* DisturbanceNames[] = {
    "Refresh", "ClockPoll", "Language", "LimitsClosed", "OnlineValue", "End", "GoneKeyTarget"};

enum class Command { Identify, ReadFe, ReadNfe, ReadAll, LeRefresh, LeDownload };

// One wait of a command: the exchange whose answer stays on its way until the disturbance came.
struct Wait {
    const char* name;
    Command command;
    const char* held; // the scripted link's request, or the LE read "directory" or "block"
    std::optional<MemoryKind> download = std::nullopt; // the memory the held exchange reads
};
const Wait Waits[] = {
    {"Identify", Command::Identify, "identify"},
    {"FeIdentify", Command::ReadFe, "identify"},
    {"Fe", Command::ReadFe, "read FE", MemoryKind::FE},
    {"NfeIdentify", Command::ReadNfe, "identify"},
    {"Nfe", Command::ReadNfe, "read NFE", MemoryKind::NFE},
    {"AllIdentify", Command::ReadAll, "identify"},
    {"AllFe", Command::ReadAll, "read FE", MemoryKind::FE},
    {"AllNfe", Command::ReadAll, "read NFE", MemoryKind::NFE},
    {"LeRefreshDirectory", Command::LeRefresh, "directory"},
    {"LeDownloadDirectory", Command::LeDownload, "directory"},
    {"LeDownloadBlock", Command::LeDownload, "block", MemoryKind::FE},
};

using Case = std::pair<const Wait*, Disturbance>;

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.first->name << " + " << DisturbanceNames[int(c.second)];
}

bool LowEnergy(Command command) {
    return command == Command::LeRefresh || command == Command::LeDownload;
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (const Wait& wait : Waits)
        for (Disturbance disturbance : Disturbances)
            // Only the LE instrument has a clock dialog.
            if (disturbance != Disturbance::ClockPoll || LowEnergy(wait.command))
                cases.emplace_back(&wait, disturbance);
    return cases;
}

// The memories a command replaces once they arrived complete; LE downloads land in FE.
QList<MemoryKind> Replaced(Command command) {
    switch (command) {
    case Command::ReadFe:
    case Command::LeDownload:
        return {MemoryKind::FE};
    case Command::ReadNfe:
        return {MemoryKind::NFE};
    case Command::ReadAll:
        return {MemoryKind::FE, MemoryKind::NFE};
    default:
        return {};
    }
}

// The requests a serial command makes, in order.
QStringList Requests(Command command) {
    switch (command) {
    case Command::ReadFe:
        return {"identify", "read FE"};
    case Command::ReadNfe:
        return {"identify", "read NFE"};
    case Command::ReadAll:
        return {"identify", "read FE", "read NFE"};
    default:
        return {"identify"};
    }
}

QStringList Lines(int count, double first, const QString& marker) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << InstrumentLine(i, first + i, QStringLiteral("µm"), marker);
    return lines;
}

double ValueOf(const QString& line) {
    return line.mid(6, 10).trimmed().toDouble();
}

QString Record(int number, double value) {
    return QString::number(number) + QLatin1Char(' ') + QString::number(value, 'g', 12);
}

// Number and value of each line, as the store should hold them.
QStringList Series(const QStringList& lines) {
    QStringList records;
    for (const QString& line : lines)
        records << Record(line.left(4).trimmed().toInt(), ValueOf(line));
    return records;
}

class BusyCommands : public ::testing::TestWithParam<Case> {
protected:
    const Wait& wait() const { return *GetParam().first; }
    Disturbance disturbance() const { return GetParam().second; }
    bool le() const { return LowEnergy(wait().command); }
    bool ending() const { return disturbance() == Disturbance::End; }
    bool unasked() const {
        return disturbance() == Disturbance::OnlineValue ||
               disturbance() == Disturbance::GoneKeyTarget;
    }

    void SetUp() override {
        const QString model = le() ? QStringLiteral("DPB") : QStringLiteral("DP");
        install.writeKonfi(model + QStringLiteral("\r\n"));
        if (disturbance() == Disturbance::GoneKeyTarget) {
            const QString appData =
                install.configHome() + QStringLiteral("/Tavelin/") + ProfileForModel(model).Title;
            QDir().mkpath(appData);
            WriteText(appData + QStringLiteral("/Tastatur.ini"),
                      QStringLiteral("1;gedit;0000;\r\n"));
        }
        if (le())
            startLowEnergy();
        else
            startSerial();
        if (HasFatalFailure())
            return;
        QObject::connect(&w->link(), &InstrumentLink::exchangeStarted, w.get(), [this] {
            overlaps += running ? 1 : 0;
            running = true;
        });
        QObject::connect(&w->link(), &InstrumentLink::exchangeFinished, w.get(),
                         [this] { running = false; });
        for (MemoryKind kind : {MemoryKind::FE, MemoryKind::NFE, MemoryKind::Online})
            before[kind] = inStore(kind);
    }

    // Old memories in the store, other ones in the instrument, and the Online table shown.
    void startSerial() {
        w = install.startScripted();
        ScriptedLink& link = Script(*w);
        link.identification = QStringLiteral("FN-B DELTA-PRO\r\nM1:3\r\nM2:2");
        link.memories = {{MemoryKind::FE, Lines(3, 10, QStringLiteral(" Fe"))},
                         {MemoryKind::NFE, Lines(2, 20, QStringLiteral("NFe"))}};
        w->cmdConnect_Click();
        w->optOnline_Click();
        for (int i = 1; i <= 2; ++i)
            link.sendOnline(InstrumentLine(i, 50 + i, QStringLiteral("µm"), QStringLiteral("NFe")));
        ASSERT_EQ(w->state().Store.SeriesLength(MemoryKind::NFE), 2);
        ASSERT_EQ(w->state().Store.SeriesLength(MemoryKind::Online), 2);
        link.identification = QStringLiteral("FN-B DELTA-PRO\r\nM1:4\r\nM2:3");
        link.memories = {{MemoryKind::FE, Lines(4, 30, QStringLiteral(" Fe"))},
                         {MemoryKind::NFE, Lines(3, 40, QStringLiteral("NFe"))}};
        fresh = link.memories;
        QObject::connect(&link, &ScriptedLink::holding, w.get(),
                         [this] { QTimer::singleShot(0, w.get(), [this] { whileHeld(); }); });
    }

    // Memory 1 downloaded, two online values, and a directory that has changed since.
    void startLowEnergy() {
        client = new ScriptedBleClient;
        instrument.emplace(*client);
        instrument->instrument.setMemories({{"1", 12}, {"2", 20}});
        w = install.startWith([this](frmTransfer& window) {
            return new BleLink(client, install.platform, window.state().Device);
        });
        ConnectThroughBleWindow(*w);
        ASSERT_TRUE(w->link().LinkConnected());
        for (int i = 0; i < 2; ++i)
            instrument->notify();
        ASSERT_TRUE(WaitFor([this] { return inStore(MemoryKind::Online).size() == 2; }, 5000));
        w->cmbSpeicher->setCurrentIndex(0);
        w->cmdLesen->click();
        ASSERT_EQ(w->state().Store.SeriesLength(MemoryKind::FE), 12);
        instrument->instrument.setMemories({{"1", 12}, {"2", 20}, {"5", 7}});
        fresh[MemoryKind::FE] = instrument->instrument.memoryLines(1);
        answer = client->script;
        const bool block = wait().download.has_value();
        const QString held =
            instrument->serviceId(block ? BleGatt::StorageDataChar : BleGatt::StorageInfoChar);
        // A download is held at its second block, when part of the memory has arrived.
        client->script = [this, held, nth = block ? 2 : 1](const QStringList& call) {
            if (armed && call.at(0) == "Read" && call.at(2) == held && ++reads == nth) {
                heldCall = call;
                QTimer::singleShot(0, w.get(), [this] { whileHeld(); });
                return;
            }
            answer(call);
        };
    }

    // Runs inside the command's wait for the held exchange.
    void whileHeld() {
        heldInCommand = w->busy() && w->link().exchangeRunning();
        if (disturbance() == Disturbance::ClockPoll) {
            const int seen = ticks;
            EXPECT_TRUE(WaitFor([&] { return ticks > seen; }, 5000));
        }
        // The answer is on its way: it arrives while the disturbance is handled.
        if (le())
            answer(heldCall);
        else
            Script(*w).answerHeld();
        disturb();
    }

    void disturb() {
        switch (disturbance()) {
        case Disturbance::Refresh:
            w->cmdRefresh_Click();
            break;
        case Disturbance::ClockPoll: // its tick came while the answer was held
            break;
        case Disturbance::Language:
            w->English_Click();
            break;
        case Disturbance::LimitsClosed:
            w->limitsDialog()->reject();
            break;
        case Disturbance::OnlineValue:
        case Disturbance::GoneKeyTarget:
            sendUnasked();
            break;
        case Disturbance::End:
            w->mnuEnd_Click();
            // The link is not closed under the command.
            EXPECT_FALSE(w->shutDown());
            break;
        }
    }

    void sendUnasked() {
        if (!le()) {
            unaskedLine = InstrumentLine(3, 52.5, QStringLiteral("µm"), QStringLiteral("NFe"));
            Script(*w).sendUnasked(unaskedLine);
            return;
        }
        // A notification already on its way when the command switched them off.
        unaskedLine = instrument->instrument.nextOnlineLine();
        client->later([this, line = unaskedLine] {
            emit client->Value(instrument->serviceId(BleGatt::DataService),
                               instrument->serviceId(BleGatt::MeasureChar), "",
                               BleGatt::MeasureChar, "", line);
        });
    }

    void prepare() {
        install.platform.clearMessages();
        switch (disturbance()) {
        case Disturbance::ClockPoll: {
            w->mnuSetTime->trigger();
            clock = w->findChild<frmTime*>();
            ASSERT_NE(clock, nullptr);
            ASSERT_TRUE(WaitFor([this] { return !clock->txtDateTime->text().isEmpty(); }, 5000));
            for (QTimer* timer : clock->findChildren<QTimer*>())
                QObject::connect(timer, &QTimer::timeout, w.get(), [this] { ++ticks; });
            break;
        }
        case Disturbance::LimitsClosed:
            w->cmdWerte->click();
            ASSERT_TRUE(w->limitsDialog()->isVisible());
            break;
        case Disturbance::GoneKeyTarget:
            ASSERT_EQ(install.platform.startedPrograms.size(), 1);
            install.platform.endedPrograms << 1;
            install.platform.sentKeys.clear();
            break;
        default:
            break;
        }
    }

    void runCommand() {
        if (le()) {
            reads = 0;
            armed = true;
        } else {
            Script(*w).hold = QString::fromLatin1(wait().held);
        }
        switch (wait().command) {
        case Command::Identify:
            w->ReadGeraet();
            break;
        case Command::ReadFe:
            w->cmdLesFE_Click();
            break;
        case Command::ReadNfe:
            w->cmdLesNFE_Click();
            break;
        case Command::ReadAll:
            w->AlleSpeicherLesen();
            break;
        case Command::LeRefresh:
            w->cmdRefresh->click();
            break;
        case Command::LeDownload:
            w->cmbSpeicher->setCurrentIndex(1);
            w->cmdLesen->click();
            break;
        }
        armed = false;
    }

    // Lets what the command left to the event loop run: End, the language's refresh, a box.
    void settle() {
        bool ran = false;
        QTimer::singleShot(0, w.get(), [&ran] { ran = true; });
        EXPECT_TRUE(WaitFor([&] { return ran && (!ending() || w->shutDown()); }, 5000));
    }

    QStringList inStore(MemoryKind kind) {
        const MeasurementStore& store = w->state().Store;
        QStringList records;
        for (int slot = 1; slot <= store.SeriesLength(kind); ++slot)
            records << Record(store.at(kind, slot).Number, store.at(kind, slot).Value);
        return records;
    }
    // The entries of cmbSpeicher without the word for memory, which follows the language.
    QStringList entries() const {
        QStringList texts;
        for (int i = 0; i < w->cmbSpeicher->count(); ++i)
            texts << w->cmbSpeicher->itemText(i).mid(w->state().message(76).size());
        return texts;
    }
    int boxes(const QString& part) const {
        return static_cast<int>(install.platform.messageTexts().filter(part).size());
    }

    TestInstallation install;
    std::unique_ptr<frmTransfer> w;
    ScriptedBleClient* client = nullptr; // the LE link owns it
    std::optional<ScriptedBleInstrument> instrument;
    std::function<void(const QStringList&)> answer;
    QStringList heldCall;
    bool armed = false;
    int reads = 0;
    frmTime* clock = nullptr;
    int ticks = 0;
    QMap<MemoryKind, QStringList> before;
    QMap<MemoryKind, QStringList> fresh; // what the instrument holds now
    QString unaskedLine;
    bool heldInCommand = false;
    bool running = false;
    int overlaps = 0;
};

TEST_P(BusyCommands, MemoriesStayWholeAndTheLinkRunsOneExchangeAtATime) {
    prepare();
    const qsizetype requestsBefore = le() ? 0 : Script(*w).requests.size();
    // Should the command never end, Esc ends its wait and the test fails rather than hangs.
    bool stuck = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        stuck = true;
        install.platform.escape = true;
    });
    watchdog.start(60000);
    runCommand();
    watchdog.stop();
    ASSERT_FALSE(stuck);
    ASSERT_TRUE(heldInCommand) << "the disturbance came outside the command's wait";
    settle();

    EXPECT_EQ(overlaps, 0);
    if (!le()) {
        ScriptedLink& link = Script(*w);
        EXPECT_TRUE(link.refused.isEmpty()) << link.refused.join('|').toStdString();
        QStringList made;
        for (const QString& request : link.requests.mid(requestsBefore))
            if (!request.startsWith(QStringLiteral("online")))
                made << request;
        const QStringList expected = Requests(wait().command);
        // End may leave the rest of a command undone, never add to it.
        EXPECT_EQ(made, ending() ? expected.mid(0, made.size()) : expected);
        if (!ending()) {
            EXPECT_EQ(w->state().Device.FECount, 4);
            EXPECT_EQ(w->state().Device.NFECount, 3);
        }
    }
    if (wait().command == Command::LeRefresh && !ending())
        EXPECT_EQ(entries(), QStringList({"    1  (12)", "    2  (20)", "    5   (7)"}));

    for (MemoryKind kind : {MemoryKind::FE, MemoryKind::NFE}) {
        const QStringList stored = inStore(kind);
        const QStringList arrived = Series(fresh.value(kind));
        const bool replaced = Replaced(wait().command).contains(kind);
        if (!ending())
            EXPECT_EQ(stored, replaced ? arrived : before[kind])
                << (kind == MemoryKind::FE ? "FE" : "NFE");
        else if (wait().download == kind)
            EXPECT_EQ(stored, before[kind]) << "a download End cancelled replaced the memory";
        else
            EXPECT_TRUE(stored == before[kind] || (replaced && stored == arrived))
                << stored.join('|').toStdString();
    }

    // The serial instrument's unasked value counts only while the Online table is shown; the LE
    // instrument's brings that table into view.
    const bool landed = unasked() && (le() || wait().command == Command::Identify);
    const QStringList online = inStore(MemoryKind::Online);
    EXPECT_EQ(online.mid(0, before[MemoryKind::Online].size()), before[MemoryKind::Online]);
    ASSERT_EQ(online.size(), before[MemoryKind::Online].size() + (landed ? 1 : 0));
    if (landed)
        EXPECT_DOUBLE_EQ(w->state().Store.at(MemoryKind::Online, online.size()).Value,
                         ValueOf(unaskedLine));
    const QString gone = QStringLiteral("beendet");
    if (disturbance() == Disturbance::GoneKeyTarget) {
        EXPECT_TRUE(install.platform.sentKeys.isEmpty());
        if (landed)
            EXPECT_TRUE(WaitFor([&] { return boxes(gone) == 1; }, 5000));
    }
    // What came meanwhile is refused without a word to the user.
    EXPECT_EQ(install.platform.messages.size(), static_cast<size_t>(boxes(gone)))
        << install.platform.messageTexts().join('|').toStdString();
    if (clock != nullptr)
        clock->close();
}

INSTANTIATE_TEST_SUITE_P(Waits, BusyCommands, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.first->name) + '_' +
                                    DisturbanceNames[int(info.param.second)];
                         });

} // namespace
