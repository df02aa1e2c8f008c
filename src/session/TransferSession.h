#pragma once

#include "core/MeasurementTable.h"
#include "core/ReportText.h"
#include "core/SettingsOutcome.h"
#include "link/InstrumentLink.h"
#include "session/AppState.h"
#include "session/ShownRows.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <optional>

class CountedNotices;
class PlatformServices;

// What became of an online line.
enum class OnlineTaking {
    Shown,     // stored when it held a value, and to be shown
    NotAValue, // the instrument sends something other than values
    Paused,    // a streaming instrument while the user paused it
    Full,      // the Online memory holds all it can; counted in one notice
    Refused    // not a readable value; counted in one notice
};

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
    CountedNotices& notices() { return *m_notices; }
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
    // End was chosen during a command: its exchange is cancelled and it starts no further one.
    void stopCommand();
    bool stopping() const { return m_stopping; }

    // Waits for the link's running exchange: no time limit, Esc or cancel ends it.
    InstrumentLink::Outcome waitForExchange(int expected);

    // The settings files, by the action codes: "KL" Konfi.ini; "LL"/"LS" limits, "TL"/"TS" key
    // events, "SL"/"SS" language read/written; "CS" the port written. Nothing for the codes the
    // windows handle themselves (the port list, the project data).
    std::optional<SettingsOutcome> Voreinstellungen(const QString& aktion);

    // The exchanges of the commands, each waited for; nothing when the link refused to start it.
    // The identification fills the device; what did not fit is returned for the user.
    std::optional<QStringList> ReadGeraet();
    // A memory of a serial instrument: arrived complete, it replaces the old one of its kind; a
    // cancelled, cut or failed download leaves that as it was.
    std::optional<InstrumentLink::Outcome> Speicher_lesen(MemoryKind kind);
    // The directory of an instrument that lists its memories.
    std::optional<InstrumentLink::Outcome> SpeicherInfoLesen();
    // The memory at its place in the directory just read, stored as FE when complete.
    std::optional<InstrumentLink::Outcome> LE_Speicher_lesen(int index, const LinkMemory& memory);

    // A memory that arrived complete replaces what the store held of its kind: records, counters
    // and the download's time. Refused lines are counted in one notice.
    void storeDownload(MemoryKind kind, const QStringList& lines, const QDateTime& now);
    // Empties the store of the memory shown; what was refused or left out of it has been said.
    void ClearStore();
    void limitMessage();

    // One measurement line into the memory shown (MemoryKind; CurrentIndex for FE and NFE): the
    // record is stored, the counters advance past it, its statistics are added, and only then is
    // it announced (recordAdded). True when the line became a record.
    bool FillMessdaten(const QString& line);
    // An online line into the Online memory shown: single values (an empty line shows, stores
    // nothing) or, streamed, each line a value.
    OnlineTaking takeOnlineLine(const QString& line, bool streamed);
    // A streaming instrument starts anew.
    void startStream() { m_streamedLines = 0; }

    // The rows of the table and the statistics list, as data: the views show them.
    ShownRows& rows() { return m_rows; }
    const ShownRows& rows() const { return m_rows; }
    const QStringList& statisticLines() const { return m_statisticLines; }
    // Deletes the record of a row of the memory shown: the others move up and are numbered
    // anew, and the counters follow. False, with nothing changed, for a row not shown.
    bool deleteRow(int row);
    // The colour of the cells of a slot of the memory shown, by the limits and the chosen rule as
    // the statistics last judged the series.
    LimitColour cellColour(int slot) const;
    StatisticInputs statisticInputs() const;
    void CalcStatistic(double currentValue, const QString& currentUnit, int count);
    void Reset_Statistic();
    // The whole memory shown from scratch: its rows in slot order and its statistics.
    void showWholeMemory();
    // The first column's header names this date unless the instrument stamps its values.
    void setHeaderDate(const QString& date) { m_headerDate = date; }
    TableRowTexts columnHeaders() const;

    // The memories an LE instrument listed when the list was last filled, in the list's order.
    const QList<LinkMemory>& listedMemories() const { return m_listedMemories; }
    void setListedMemories(const QList<LinkMemory>& memories) { m_listedMemories = memories; }
    // An entry read again: its count may have changed.
    void relistMemory(int entry, const LinkMemory& memory) { m_listedMemories[entry] = memory; }

    // Project data as the project dialog holds it; the report's header.
    void setProject(const ReportProject& project) { m_project = project; }
    // The report of the memory shown, its rows in the order shown: mode "A" (file, clipboard,
    // print) or "P" (spreadsheet).
    QString BuildReportText(const QString& mode);

signals:
    void busyChanged(bool busy);
    void waitStarted(int expected);
    void waitEnded();
    // A value line of the instrument that no command waits for, in the order received.
    void onlineLine(const QString& line);
    // A record stored in the memory shown by FillMessdaten, with its row and statistics.
    void recordAdded(int slot);
    // A download replaced the memory of its kind, which is now the one to show, whole.
    void memoryStored();
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
    bool m_stopping = false;
    QStringList m_held;      // online lines that came while a command ran
    int m_streamedLines = 0; // lines taken since the stream started
    ShownRows m_rows;
    QStringList m_statisticLines;
    QString m_headerDate;
    QList<LinkMemory> m_listedMemories;
    ReportProject m_project;
    ReportRowTexts m_reportRows; // "Online.mes" is rewritten after every value
};
