#pragma once

#include "core/LineAssembler.h"
#include "link/serial/LineSettings.h"
#include "link/serial/PortAccess.h"
#include "link/serial/PortInfo.h"
#include "link/serial/PortNumbers.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <deque>

class QSerialPort;
class QSocketNotifier;
class QTimer;
class PortWatch;

// The serial control: one port chosen by its COM number, opened with the control's line
// settings, sending 8-bit text and receiving whole lines.
//
// Receiving never blocks: the bytes that arrive are cut into lines as they come, and DataEvent is
// raised with CommEvent CommEventReceive once complete lines wait; the handler takes them with
// Input() or takeLines(). A registered trigger character (4 end of transmission, 25 not
// available) raises DataEvent with CommEventTrigger after the lines that came before it, and
// waits in TriggerData(). A port that fails while open (device gone, read error) is closed and
// reported with CommEventLinkLost from the event loop. PortEvent reports ports plugged in,
// unplugged or ready, found by looking at the port list when the system reports a plug event or
// the folder of COM links changes.
//
// Events are raised from the event loop, never from inside the port's own notification, so
// handlers may open nested event loops (waits) and events keep flowing in arrival order. Delete
// the control with deleteLater() from inside its own handlers.
class SCom : public QObject {
    Q_OBJECT
public:
    enum CommEventCode { CommEventReceive = 2, CommEventTrigger = 8, CommEventLinkLost = 1001 };

    // Lines kept for a handler that does not take them; older ones are dropped beyond this.
    static constexpr qsizetype MaxWaitingLines = 20000;

    explicit SCom(QObject* parent = nullptr);
    ~SCom() override;

    // The settings folder whose "ports" folder holds the COM links.
    void setAppDataPath(const QString& appDataPath);
    QString portsFolder() const { return m_portsFolder; }
    // Language of error and reason texts: 0 German, any other English.
    void setLanguageIndex(int languageIndex) { m_languageIndex = languageIndex; }

    int CommPort() const { return m_commPort; }
    bool setCommPort(int number); // not while open
    QString Settings() const { return m_settingsText; }
    bool setSettings(const QString& settings);
    int Handshaking() const { return m_handshaking; }
    bool setHandshaking(int handshaking);
    // 0: no receive events (lines are still collected); any other value: an event per batch.
    int RThreshold() const { return m_rThreshold; }
    void setRThreshold(int threshold) { m_rThreshold = threshold; }

    bool PortOpen() const;
    // Opens or closes the port. False when opening failed: ErrorNumber and ErrorText tell why.
    bool setPortOpen(bool open);
    // The device the open port reads, e.g. "/dev/ttyUSB0".
    QString deviceName() const { return m_device; }

    int ErrorNumber() const { return m_errorNumber; }
    QString ErrorText() const { return m_errorText; }

    // Code of the event being reported, read in the DataEvent handler.
    int CommEvent() const { return m_commEvent; }
    // The waiting complete lines, each followed by CR LF; empty when none waits.
    QString Input();
    QStringList takeLines();
    // Sends the text as 8-bit characters. False when the port is not open.
    bool Output(const QString& text);
    // Receiving in batches: after the bytes that came are handed on, the port is not looked at
    // for BatchPauseMs, so a long answer wakes the program a few times a second instead of at
    // every few bytes. Meant for answers whose end is still far; opening or closing the port,
    // and turning it off, end the pause at once.
    static constexpr int BatchPauseMs = 100;
    void setReceiveBatches(bool on);
    // InBufferCount = 0 and OutBufferCount = 0: forget what waits to be read or sent.
    void discardInput();
    void discardOutput();

    bool TriggerEnable() const { return m_triggerEnable; }
    void setTriggerEnable(bool enable) { m_triggerEnable = enable; }
    void clearTriggers() { m_triggers.clear(); }
    void addTrigger(char character);
    bool TriggerPending() const { return !m_receivedTriggers.isEmpty(); }
    // The oldest received trigger as one byte; empty when none waits.
    QByteArray TriggerData();

    // Information text of the port "COM<n>"; see PortInfoText for its keys.
    QString PortInfo(const QString& portName);
    static QString PortInfoValue(const QString& info, const QString& key);
    // The present ports, as the last scan found them; a scan serves for half a second, since
    // scanning takes a while and the port list is asked for 200 names in a row.
    QList<SerialPortEntry> ports();
    // Scans now, so a port plugged in a moment ago is seen at once.
    void refreshPorts() { freshPorts(true); }

    // Off: no port events are reported (the port list is still read when asked for).
    void setPortWatching(bool on);

signals:
    void DataEvent();
    void PortEvent(int type, const QString& portName);
    // Something received had to be dropped; the text is meant for the log.
    void ReceiveProblem(const QString& text);

private:
    void onReadyRead();
    void deliver();
    void raise(int code);
    void pauseReading();
    void resumeReading();
    void loseLink();
    void closePort();
    void resetReceive();
    void primeWatch();
    void watchPorts();
    const QList<SerialPortEntry>& freshPorts(bool force);
    bool fail(int number, const QString& text);
    QString say(const char* german, const char* english) const;
    void applyLineSettings();

    QSerialPort* m_port;
    PortWatch* m_watch;
    LineAssembler m_assembler;
    std::deque<LineAssembler::Event> m_incoming;
    bool m_deliveryPosted = false;
    bool m_batches = false;
    QTimer* m_batchPause;
    QPointer<QSocketNotifier> m_readNotifier; // the port's own, found when first paused
    QStringList m_lines;
    bool m_dropReported = false;
    QByteArray m_receivedTriggers;
    QByteArray m_triggers;
    bool m_triggerEnable = false;

    QString m_portsFolder;
    int m_languageIndex = 0;
    int m_commPort = 1;
    QString m_settingsText = QStringLiteral("9600,n,8,1");
    LineSettings m_lineSettings;
    int m_handshaking = 0;
    int m_rThreshold = 1;
    QString m_device;
    quint64 m_session = 0;

    int m_commEvent = 0;
    int m_errorNumber = 0;
    QString m_errorText;

    QList<SerialPortEntry> m_watchedPorts; // as the port events last reported them
    QList<SerialPortEntry> m_scannedPorts; // the last scan, for PortInfo
    QElapsedTimer m_scanAge;
};
