#include "session/TransferSession.h"

#include "core/MeasurementLine.h"
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

void TransferSession::storeDownload(MemoryKind kind, const QStringList& lines,
                                    const QDateTime& now) {
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
}

void TransferSession::ClearStore() {
    m_state.Store.ClearStore(m_state.Kind);
    m_notices->settle(RefusedLineNotice);
    m_notices->settle(LimitNotice);
}

void TransferSession::limitMessage() {
    m_notices->raise(LimitNotice, m_state.message(53) + QStringLiteral(" 5000"));
}
