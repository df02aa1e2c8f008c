#pragma once

#include "InstrumentModel.h"
#include "PseudoTerminal.h"
#include "core/LineAssembler.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QStringList>
#include <optional>

class QSocketNotifier;
class QTimer;

struct SimOptions {
    QString PortsFolder; // where the COM link goes; none when empty or ComNumber is 0
    int ComNumber = 0;
    int FeCount = 0;            // values in memory 1
    QList<double> FeValues;     // the first values of memory 1, instead of random ones
    int NfeCount = 0;           // values in memory 2 (two-memory models)
    int MemoryNumber = 1;       // number reported by one-memory models
    int OnlineEveryMs = 0;      // an online value this often; 0: only on request
    std::optional<double> Mean; // the model's own when not given
    std::optional<double> Spread;
    QString Unit;      // the model's own when empty, e.g. "mi"
    QString IdentLine; // the model's own when empty, e.g. "FE-B DELTA-PRO"
    bool Utf8 = false; // "µ" as UTF-8 instead of the instrument's single byte
    bool Silent = false;
    bool NotAvailable = false;
    int BytesPerSecond = 0; // the wire's pace, in small chunks; 0: as fast as the terminal takes
    quint32 Seed = 1;
    QDateTime StampStart; // first date and time of stamped memories; now when null
};

// An instrument on a pseudo-terminal: it answers the identification and memory requests, sends
// online values, can say it is not available, stay silent or be unplugged.
class InstrumentSimulator : public QObject {
    Q_OBJECT
public:
    explicit InstrumentSimulator(QObject* parent = nullptr);
    ~InstrumentSimulator() override;

    // Starts as the given model; returns the device path, empty on failure (see errorString).
    QString start(const QString& modelCode, const SimOptions& options = {});
    bool isRunning() const { return m_terminal.isOpen(); }
    QString devicePath() const { return m_terminal.devicePath(); }
    QString linkPath() const { return m_linkPath; }
    QString errorString() const { return m_error; }
    const SimModel& model() const { return m_model; }

    // New values for the memories; a memory the model does not have stays empty.
    void fillMemories(int feCount, int nfeCount);
    // The measurement lines of memory 1 or 2 as the instrument sends them.
    QStringList memoryLines(int memory) const;

    // Sends one online value and returns its line.
    QString sendOnlineValue();
    void setOnlineInterval(int intervalMs);
    void setSilent(bool silent) { m_options.Silent = silent; }
    void setNotAvailable(bool notAvailable) { m_options.NotAvailable = notAvailable; }
    // Bytes as they are, e.g. noise on the line.
    void sendRaw(const QByteArray& bytes);
    // Closes the instrument side and removes the COM link, as pulling the cable does.
    void unplug();

signals:
    // Every request line received, also while silent or not available.
    void commandReceived(const QString& command);

private:
    void onReadable();
    void answer(const QString& command);
    void send(const QString& text);
    void flush();
    bool makeLink();
    void removeLink();
    QString lineText(const SimReading& reading) const;

    PseudoTerminal m_terminal;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QTimer* m_onlineTimer;
    QTimer* m_paceTimer;
    QElapsedTimer m_paceClock;
    qint64 m_pacedBytes = 0;
    LineAssembler m_commands;
    QByteArray m_output;
    SimModel m_model;
    SimOptions m_options;
    QRandomGenerator m_random;
    QList<SimReading> m_memories[2];
    int m_onlineNumber = 0;
    QString m_linkPath;
    QString m_error;
};
