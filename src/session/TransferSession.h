#pragma once

#include "link/InstrumentLink.h"
#include "session/AppState.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>

class CountedNotices;
class PlatformServices;

// The program's data and its conversation with the instrument, without any window: the shared
// state, the link, the counted notices and the one wait for an exchange. A command that talks to
// the instrument or changes the data runs alone: while it waits (for the instrument, a box or a
// delay), every other command that a control, timer or dialog starts is refused and logged, and
// online values are held until it ends.
class TransferSession : public QObject {
    Q_OBJECT
public:
    explicit TransferSession(PlatformServices& platform, QObject* parent = nullptr);
    ~TransferSession() override;

    AppState& state() { return m_state; }
    const AppState& state() const { return m_state; }
    PlatformServices& platform() { return m_platform; }
    CountedNotices& notices() { return *m_notices; }
    bool hasLink() const { return m_link != nullptr; }
    InstrumentLink& link() { return *m_link; }
    // The link once an exchange that a dialog started on its own (a clock request) has ended:
    // a command waits for it rather than be refused. Bounded by that exchange's time limits.
    InstrumentLink& idleLink();
    static constexpr int IdleLinkWaitMs = 6000;
    void useLink(InstrumentLink* link);

    // The title message boxes carry: the model title, or the company before it is known.
    QString programTitle() const;
    void WriteLog(const QString& logtext) const { m_state.Log.WriteLog(logtext); }

    // The scope of one command; false when refused. Commands a running command calls itself are
    // part of it; one that comes from an event loop inside the running command's waits is not.
    class Command {
    public:
        Command(TransferSession& session, const char* what);
        ~Command();
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;
        explicit operator bool() const { return m_entered; }

    private:
        TransferSession& m_session;
        bool m_entered;
    };
    bool busy() const { return m_depth > 0; }

    // Waits for the link's running exchange: no time limit, Esc or cancel ends it.
    InstrumentLink::Outcome waitForExchange(int expected);

    // A memory that arrived complete replaces what the store held of its kind: records, counters
    // and the download's time. Refused lines are counted in one notice.
    void storeDownload(MemoryKind kind, const QStringList& lines, const QDateTime& now);
    // Empties the store of the memory shown; what was refused or left out of it has been said.
    void ClearStore();
    void limitMessage();

signals:
    void busyChanged(bool busy);
    void waitStarted(int expected);
    void waitEnded();
    // A value line of the instrument that no command waits for, in the order received.
    void onlineLine(const QString& line);
    // The counted notices' summary for the status line; empty when nothing is pending.
    void statusText(const QString& text);

private:
    bool enter(const char* what);
    void leave();
    void received(const QString& line);

    PlatformServices& m_platform;
    AppState m_state;
    InstrumentLink* m_link = nullptr;
    CountedNotices* m_notices = nullptr;
    int m_depth = 0;     // commands running, the outer one and those it called
    int m_loopLevel = 0; // event loops running when the outer one began
    QStringList m_held;  // online lines that came while a command ran
};
