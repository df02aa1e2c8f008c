#include "session/TransferSession.h"

#include "core/Identification.h"
#include "core/MeasurementLine.h"
#include "core/MemoryDownload.h"
#include "core/SettingsFiles.h"
#include "platform/PlatformServices.h"
#include "session/CountedNotices.h"
#include "session/ReceiveNotices.h"

#include <QThread>

TransferSession::TransferSession(PlatformServices& platform, QObject* parent)
    : QObject(parent), m_platform(platform) {
    m_notices = new CountedNotices({m_platform, [this] { return programTitle(); },
                                    [this](const QString& text) { WriteLog(text); },
                                    [this](const QString& text) { emit statusText(text); }},
                                   ReceiveNoticeKinds(m_state), this);
}

TransferSession::~TransferSession() = default;

void TransferSession::useLink(InstrumentLink* link) {
    m_link = link;
    connect(m_link, &InstrumentLink::lineReceived, this, &TransferSession::received);
    connect(m_link, &InstrumentLink::problem, this,
            [this](const QString& text) { WriteLog(text); });
}

void TransferSession::stopCommand() {
    m_stopping = true;
    m_link->cancel();
}

InstrumentLink& TransferSession::idleLink() {
    if (m_link->exchangeRunning())
        m_platform.waitUntil([this] { return !m_link->exchangeRunning(); }, IdleLinkWaitMs, false);
    return *m_link;
}

QString TransferSession::programTitle() const {
    return m_state.ModelTitle.isEmpty() ? QStringLiteral("Tavelin") : m_state.ModelTitle;
}

TransferSession::Command::Command(TransferSession& session, const char* what)
    : m_session(session), m_entered(session.enter(what)) {}

TransferSession::Command::~Command() {
    if (m_entered)
        m_session.leave();
}

bool TransferSession::enter(const char* what) {
    // A command calls others directly, at its own loop level; a control, timer or dialog can only
    // start one from an event loop that runs inside the command's waits.
    const int level = QThread::currentThread()->loopLevel();
    if (m_depth > 0 && level > m_loopLevel) {
        WriteLog(QStringLiteral("Abgelehnt, es läuft ein Befehl: ") + QLatin1String(what));
        return false;
    }
    if (m_depth++ == 0) {
        m_loopLevel = level;
        emit busyChanged(true);
    }
    return true;
}

void TransferSession::leave() {
    if (--m_depth > 0)
        return;
    m_stopping = false;
    emit busyChanged(false);
    const QStringList held = std::exchange(m_held, {});
    for (const QString& line : held) {
        // A held value may start a command of its own (it shows the Online table): the rest wait
        // for that one.
        if (busy())
            m_held << line;
        else
            emit onlineLine(line);
    }
}

void TransferSession::received(const QString& line) {
    if (busy())
        m_held << line;
    else
        emit onlineLine(line);
}

InstrumentLink::Outcome TransferSession::waitForExchange(int expected) {
    // No time limit: the instrument may take long; Esc or the cancel button ends the wait and the
    // window stays alive.
    emit waitStarted(expected);
    if (m_platform.waitUntil([this] { return !m_link->exchangeRunning(); }, -1, true) !=
        PlatformServices::WaitResult::Done)
        m_link->cancel();
    emit waitEnded();
    return m_link->lastOutcome();
}

std::optional<SettingsOutcome> TransferSession::Voreinstellungen(const QString& aktion) {
    AppSettings& s = m_state.Settings;
    const QString& folder = m_state.AppDataPath;
    if (aktion == QLatin1String("KL"))
        return ReadKonfi(m_state.ProgramFolder, s);
    if (aktion == QLatin1String("CS"))
        return WritePort(folder, s);
    if (aktion == QLatin1String("LL"))
        return ReadLimits(folder, m_state.Limit);
    if (aktion == QLatin1String("LS"))
        return WriteLimits(folder, m_state.Limit);
    if (aktion == QLatin1String("TL"))
        return ReadKeyEvents(folder, s);
    if (aktion == QLatin1String("TS"))
        return WriteKeyEvents(folder, s);
    if (aktion == QLatin1String("SL"))
        return ReadLanguage(folder, s);
    if (aktion == QLatin1String("SS"))
        return WriteLanguage(folder, s);
    return std::nullopt;
}

std::optional<QStringList> TransferSession::ReadGeraet() {
    if (m_stopping || !idleLink().identify())
        return std::nullopt;
    waitForExchange(0);
    return ApplyIdentification(m_link->answerText(), m_state.Device);
}

std::optional<InstrumentLink::Outcome> TransferSession::Speicher_lesen(MemoryKind kind) {
    // The memory is the one asked for, whatever is shown when it has arrived.
    const QDateTime now = m_platform.now();
    const int expected = kind == MemoryKind::NFE ? m_state.Device.NFECount : m_state.Device.FECount;
    if (m_stopping || !idleLink().readMemory(kind, expected))
        return std::nullopt;
    const InstrumentLink::Outcome outcome = waitForExchange(expected);
    if (outcome == InstrumentLink::Outcome::Done) {
        const MemoryAnswer answer = SplitMemoryAnswer(m_link->answerText());
        if (answer.LimitExceeded)
            limitMessage();
        storeDownload(kind, answer.Lines, now);
    } else {
        WriteLog(outcome == InstrumentLink::Outcome::Cancelled
                     ? QStringLiteral("Speicher lesen: mit Esc abgebrochen")
                     : QStringLiteral("Speicher lesen: keine vollständige Antwort"));
    }
    return outcome;
}

std::optional<InstrumentLink::Outcome> TransferSession::SpeicherInfoLesen() {
    if (m_stopping || !idleLink().readDirectory())
        return std::nullopt;
    return waitForExchange(0);
}

std::optional<InstrumentLink::Outcome>
TransferSession::LE_Speicher_lesen(int index, const LinkMemory& memory) {
    const QDateTime now = m_platform.now();
    if (m_stopping || !idleLink().readMemoryAt(index))
        return std::nullopt;
    const InstrumentLink::Outcome outcome = waitForExchange(memory.Count);
    if (outcome != InstrumentLink::Outcome::Done || memory.Count == 0)
        return outcome;
    QStringList lines = m_link->answerText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    if (lines.size() > MeasurementStore::MaxSlot) {
        lines.resize(MeasurementStore::MaxSlot);
        limitMessage();
    }
    m_state.Device.MemoryNumber = static_cast<qint16>(memory.Name.trimmed().toDouble());
    storeDownload(MemoryKind::FE, lines, now);
    return outcome;
}

void TransferSession::storeDownload(MemoryKind kind, const QStringList& lines,
                                    const QDateTime& now) {
    Reset_Statistic();
    m_state.DownloadTime = now.toString(QStringLiteral("hh:mm:ss"));
    m_state.DownloadDate = now.toString(QStringLiteral("dd.MM.yyyy"));
    m_state.Kind = kind;
    ClearStore();
    m_state.Counters.CurrentIndex = 1;
    for (const QString& line : lines) {
        const FillResult result =
            ::FillMessdaten(line, kind, m_state.Counters, m_state.Device, now, m_state.Store);
        if (!result.ClockDate.isEmpty()) {
            m_state.ClockTime = result.ClockTime;
            m_state.ClockDate = result.ClockDate;
        }
        if (result.Status == FillStatus::Added) {
            AdvanceCounters(m_state.Counters, kind, m_state.Device);
        } else if (result.Status == FillStatus::Failed) {
            // A garbled memory gives one box with the count, not one box per line.
            m_notices->raise(RefusedLineNotice, result.Message());
        }
    }
    emit memoryStored();
}

void TransferSession::ClearStore() {
    m_state.Store.ClearStore(m_state.Kind);
    m_notices->settle(RefusedLineNotice);
    m_notices->settle(LimitNotice);
}

bool TransferSession::FillMessdaten(const QString& line) {
    const FillResult result = ::FillMessdaten(line, m_state.Kind, m_state.Counters, m_state.Device,
                                              m_platform.now(), m_state.Store);
    if (!result.ClockDate.isEmpty()) {
        m_state.ClockTime = result.ClockTime;
        m_state.ClockDate = result.ClockDate;
    }
    switch (result.Status) {
    case FillStatus::Added: {
        MeasurementCounters& counters = m_state.Counters;
        if (m_state.Kind == MemoryKind::Online)
            counters.CurrentIndex = counters.OnlineCounter;
        const int slot = counters.CurrentIndex;
        // The counters point past the record before anyone hears of it, so nothing that runs
        // meanwhile can store a value over it.
        AdvanceCounters(counters, m_state.Kind, m_state.Device);
        const MeasurementRecord& record = m_state.Store.at(m_state.Kind, slot);
        m_rows.append(slot);
        m_headerDate = m_state.Store.at(m_state.Kind, 1).DateText;
        CalcStatistic(record.Value, record.Unit, slot);
        emit recordAdded(slot);
        return true;
    }
    case FillStatus::Failed:
        m_notices->raise(RefusedLineNotice, result.Message());
        return false;
    case FillStatus::Dropped:
    case FillStatus::Ignored:
        return false;
    }
    return false;
}

namespace {

// Online lines start with the record number (digits) or blanks; anything else means the
// instrument sends something other than values.
bool LooksLikeValueLine(const QString& line) {
    return line.isEmpty() || line.front().isDigit() || line.front() == QLatin1Char(' ');
}

} // namespace

OnlineTaking TransferSession::takeOnlineLine(const QString& line, bool streamed) {
    if (streamed) {
        if (m_state.OnlinePaused)
            return OnlineTaking::Paused;
        if (m_streamedLines >= MeasurementStore::MaxSlot) {
            limitMessage();
            return OnlineTaking::Full;
        }
    }
    // A notification of an LE instrument is meant as a value: one that is none is refused and
    // told like a garbled memory line.
    if (m_state.Device.LinkKind == QLatin1String("L")) {
        if (m_state.Counters.OnlineCounter > MeasurementStore::MaxSlot) {
            limitMessage();
            return OnlineTaking::Full;
        }
        return FillMessdaten(line) ? OnlineTaking::Shown : OnlineTaking::Refused;
    }
    if (!LooksLikeValueLine(line))
        return OnlineTaking::NotAValue;
    if (streamed) {
        ++m_streamedLines;
        FillMessdaten(line);
        ++m_state.Counters.OnlineCounter;
    } else if (m_state.Device.OnlineMode == QLatin1String("E") && !line.isEmpty()) {
        if (m_state.Counters.OnlineCounter > MeasurementStore::MaxSlot)
            limitMessage();
        else
            FillMessdaten(line);
    }
    return OnlineTaking::Shown;
}

bool TransferSession::deleteRow(int row) {
    MeasurementCounters& counters = m_state.Counters;
    if (!RemoveRecord(m_state.Store, m_state.Kind, m_rows.slotAt(row), m_state.Device.DecimalsMode))
        return false;
    if (m_state.Kind == MemoryKind::Online)
        counters.OnlineCounter = std::max(1, counters.OnlineCounter - 1);
    else
        counters.CurrentIndex = std::max(1, counters.CurrentIndex - 1);
    return true;
}

LimitColour TransferSession::cellColour(int slot) const {
    return SlotColour(m_state.Store.at(m_state.Kind, slot).Value, slot, m_state.Limit,
                      m_state.AbsoluteValues, m_state.Stat.RuleColours);
}

StatisticInputs TransferSession::statisticInputs() const {
    StatisticInputs inputs;
    inputs.AbsoluteValues = m_state.AbsoluteValues;
    inputs.SignMode = m_state.Device.SignMode;
    inputs.DecimalsMode = m_state.Device.DecimalsMode;
    inputs.UserLimits = m_state.Limit;
    inputs.LanguageIndex = m_state.languageIndex();
    switch (m_state.Kind) {
    case MemoryKind::NFE:
        inputs.MemoryTitle = m_state.NFEName;
        break;
    case MemoryKind::Online:
        inputs.MemoryTitle = m_state.message(8);
        break;
    default:
        inputs.MemoryTitle = m_state.FEName;
        break;
    }
    return inputs;
}

void TransferSession::CalcStatistic(double currentValue, const QString& currentUnit, int count) {
    m_statisticLines =
        ::CalcStatistic(m_state.Stat, currentValue, currentUnit, count, statisticInputs());
}

void TransferSession::Reset_Statistic() {
    ::Reset_Statistic(m_state.Stat, m_state.Counters.CurrentIndex);
    m_statisticLines.clear();
}

void TransferSession::showWholeMemory() {
    m_rows.reset(m_state.Store.SeriesLength(m_state.Kind));
    m_statisticLines = RebuildStatistics(m_state.Stat, m_state.Store, m_state.Kind,
                                         m_state.Counters.CurrentIndex, statisticInputs());
    if (m_rows.count() == 0)
        m_statisticLines.clear();
}

TableRowTexts TransferSession::columnHeaders() const {
    return MSFlexHeaderTexts(m_state.Texts, m_state.languageIndex(), m_state.Device.StampSource,
                             m_headerDate);
}

QString TransferSession::BuildReportText(const QString& mode) {
    ReportInputs inputs;
    inputs.Project = m_project;
    inputs.MemoryTitle = statisticInputs().MemoryTitle;
    inputs.LanguageIndex = m_state.languageIndex();
    inputs.Device = m_state.Device;
    inputs.AbsoluteValues = m_state.AbsoluteValues;
    inputs.StatisticList = m_statisticLines;
    inputs.FirstUnit = m_state.Stat.FirstUnit;
    inputs.UserLimits = m_state.Limit;
    const TableRowTexts headers = columnHeaders();
    for (int c = 0; c < 3; ++c)
        inputs.ColumnHeaders[c] = headers[c];
    // In slot order the rows are the store's slots side by side; sorted, they are gathered.
    std::vector<MeasurementRecord> sorted;
    if (m_rows.inSlotOrder()) {
        inputs.Records = m_state.Store.Slots(m_state.Kind, m_rows.count());
    } else {
        sorted = m_rows.records(m_state.Store, m_state.Kind);
        inputs.Records = sorted;
    }
    inputs.RowTexts = &m_reportRows;
    return ::BuildReportText(mode, inputs);
}

void TransferSession::limitMessage() {
    m_notices->raise(LimitNotice, m_state.message(53) + QStringLiteral(" 5000"));
}
