#pragma once

#include "core/MeasurementLine.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// A memory as an instrument's directory lists it.
struct LinkMemory {
    QString Name;
    int Count = 0;
};

// One instrument as the windows see it: exchanges (identify, read a memory, online values), not
// ports or radios. An exchange is started, runs in the event loop and ends with
// exchangeFinished; the caller waits for that with the platform's wait. One exchange at a time:
// while one runs, every other is refused (false, and a problem line for the log), so nothing can
// mix its request or its answer into the running one. Text that no exchange waits for is dropped
// or held until the exchange ends, and the drop is reported as a problem.
class InstrumentLink : public QObject {
    Q_OBJECT
public:
    enum class State {
        NotConnected, // nothing checked yet, or the link was closed
        Opening,      // the port is being opened and the instrument asked
        Connected,
        NoAnswer,     // the port is open but the instrument stayed silent
        NotAvailable, // the port would not open, or the instrument said it is not available
        Lost          // the device went away while open
    };
    enum class Outcome { Done, Cancelled, NotAvailable, LinkLost };

    using QObject::QObject;

    // Where the link keeps its own settings, and the language of its texts (0 German).
    virtual void setSettingsFolder(const QString& folder) = 0;
    virtual void setLanguageIndex(int languageIndex) = 0;

    virtual State state() const = 0;
    bool LinkConnected() const { return state() == State::Connected; }

    // Makes sure the link to the instrument stands, opening it on the given port when needed.
    virtual void checkLink(int portNumber) = 0;
    virtual void closeLink() = 0;

    // The choices of a connection (port names with their type); progress runs from 1 to the
    // number of candidates.
    virtual QStringList linkChoices(const std::function<void(int, int)>& progress) = 0;

    // Each starts an exchange; false when one runs already.
    virtual bool identify() = 0;
    // expectedLines: the count the identification gave, 0 when unknown.
    virtual bool readMemory(MemoryKind kind, int expectedLines) = 0;
    // Online values come as lineReceived while on; streamed instruments send without being asked.
    // Switching on is refused while an exchange runs; off is always taken.
    virtual bool setOnline(bool on, bool streamed) = 0;
    // Ends the running exchange as Esc does.
    virtual void cancel() = 0;

    // Instruments that list their memories in a directory and read one by its place in it
    // (Bluetooth LE). Other links end these exchanges at once as not available.
    virtual bool readDirectory() { return notOffered("readDirectory"); }
    virtual bool readMemoryAt(int index) {
        Q_UNUSED(index);
        return notOffered("readMemoryAt");
    }
    // The directory of the last readDirectory.
    const QList<LinkMemory>& memories() const { return m_memories; }
    // The instrument sends its values without being asked, online or not.
    virtual bool sendsUnasked() const { return false; }

    bool exchangeRunning() const { return m_running; }
    Outcome lastOutcome() const { return m_outcome; }
    // The text of the last exchange, lines ending CR LF.
    const QString& answerText() const { return m_answer; }
    // Why the last exchange failed, for the user; empty when done or when nothing is to be said.
    const QString& failureText() const { return m_failure; }

signals:
    void lineReceived(const QString& line);
    void exchangeStarted();
    void exchangeFinished(InstrumentLink::Outcome outcome);
    // Lines of the running exchange received so far.
    void progress(int lines);
    void stateChanged(InstrumentLink::State state);
    // A port or device could not be used; the reason is for the log and the status tooltip.
    void linkProblem(const QString& reason);
    // Something received or sent went wrong; the text is for the log.
    void problem(const QString& text);
    // A port was plugged in (1), unplugged (2) or became ready (11).
    void PortEvent(int type, const QString& portName);

protected:
    // Every exchange starts with an empty answer and ends once, with its outcome. A second one is
    // refused while one runs: false, and the refusal is logged with what was asked.
    bool beginExchange(const char* what) {
        if (m_running) {
            refuse(what);
            return false;
        }
        m_answer.clear();
        m_failure.clear();
        m_outcome = Outcome::Done;
        m_running = true;
        emit exchangeStarted();
        return true;
    }
    void refuse(const char* what) {
        emit problem(QStringLiteral("Abgelehnt, es läuft ein Austausch: ") + QLatin1String(what));
    }
    void finishExchange(Outcome outcome) {
        if (!m_running)
            return;
        m_running = false;
        m_outcome = outcome;
        emit exchangeFinished(outcome);
    }

    QString m_answer;
    QString m_failure;
    QList<LinkMemory> m_memories;

    // An exchange this link does not offer ends at once, unless another runs.
    bool notOffered(const char* what) {
        if (!beginExchange(what))
            return false;
        finishExchange(Outcome::NotAvailable);
        return true;
    }

private:
    bool m_running = false;
    Outcome m_outcome = Outcome::Done;
};
