#pragma once

#include "core/BleAnswers.h"
#include "core/DeviceInfo.h"
#include "link/ble/BleClient.h"
#include "link/ble/BleIds.h"
#include "link/ble/BleOutcome.h"
#include "platform/PlatformServices.h"

#include <QObject>
#include <QStringList>
#include <functional>

// A memory read block by block.
struct BleMemoryRead {
    BleOutcome Outcome;
    QStringList Lines; // measurement lines for the parser, in order
};

// The command exchange with a Bluetooth LE instrument over the client: the procedures that send
// one request each, the handling of the answers, and the waits on BleBusy that the callers use.
// Every wait has a time limit and ends with a message; a client Error event ends it at once.
// Online values are handed on by onlineLine and never end a wait.
class BleExchange : public QObject {
    Q_OBJECT
public:
    static constexpr qint16 Busy = 55;
    static constexpr int BusyTimeoutMs = 5000;
    // Blocks in a row without a value before a download counts as stuck.
    static constexpr int EmptyBlockLimit = 3;
    static constexpr int SetClockSettleMs = 200;

    BleExchange(BleClient& client, PlatformServices& platform, DeviceInfo& device,
                QObject* parent = nullptr);

    BleIds& ids() { return m_ids; }
    void setLanguageIndex(int languageIndex) { m_languageIndex = languageIndex; }
    void setBusyTimeoutMs(int ms) { m_busyTimeoutMs = ms; }

    qint16 BleBusy = 0;
    QString BleCommandText;
    QString BleResponseText;
    bool StorageDataEnd = false;
    bool MeasureSubscribed = false;
    BleDirectory Directory;
    // The clock text the last WriteTime sent.
    QString ClockTextSent;

    // One request each; false when the client refused the call.
    bool WriteZorv();
    bool ReadTime();
    bool WriteTime();
    bool WriteStorageInfo();
    bool SondenFreigabe();
    bool ReadStorageInfo();
    bool ReadStorageData();
    bool SubMeasure();
    bool UnsubMeasure();

    // The message of a wait that timed out, in the language set.
    QString noAnswerMessage() const;

    // Waits until BleBusy is 0, the client reports an error or the link gone, or the time limit
    // passes (negative: the one set).
    BleOutcome waitBusy(int timeoutMs = -1);

    // The identification request after a connection; the answer fills the device.
    BleOutcome identify();
    // The memory directory, with notifications off meanwhile and on again after it.
    BleOutcome readDirectory();
    // The memory of the directory's given index (0 = first), block by block, with notifications
    // off meanwhile and on again after it. progress gets the values received so far and the
    // memory's count; cancelled() ends the reading early, keeping the lines read.
    BleMemoryRead readMemory(int index, const std::function<void(int, int)>& progress,
                             const std::function<bool()>& cancelled);
    // The instrument's clock text.
    BleOutcome readClock();
    // The instrument's clock set to the PC's (ClockTextSent); the instrument does not answer, so
    // it is given a moment to take it.
    BleOutcome setClock();
    // Notifications off, or on, and waited for; nothing to do when already so.
    BleOutcome suspendMeasure(int timeoutMs = -1);
    BleOutcome resumeMeasure();
    // Notifications off and on again, whatever they were: after a loss the instrument may still
    // hold the old subscription.
    BleOutcome renewMeasure();

signals:
    // One online value as it came; the table takes it.
    void onlineLine(const QString& line);
    // Lines for the transfer log.
    void logLine(const QString& text);

private:
    void onWriteResponse(const QString& characteristicId);
    void onValue(const QString& serviceId, const QString& characteristicId, const QString& value);
    bool sent(const BleCallResult& result, const char* what);
    BleOutcome request(const std::function<bool()>& send, int timeoutMs = -1);
    QString say(const char* german, const char* english) const;
    BleOutcome notReady() const;

    BleClient& m_client;
    PlatformServices& m_platform;
    DeviceInfo& m_device;
    BleIds m_ids;
    int m_languageIndex = 0;
    int m_busyTimeoutMs = BusyTimeoutMs;
    bool m_clientError = false;
    bool m_linkGone = false;       // the link dropped: no answer will come
    bool m_readBackFailed = false; // the read of a command's answer could not be asked for
};
