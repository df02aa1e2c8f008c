#include "link/ble/BleExchange.h"

#include "core/MeasurementStore.h"

BleExchange::BleExchange(BleClient& client, PlatformServices& platform, DeviceInfo& device,
                         QObject* parent)
    : QObject(parent), m_client(client), m_platform(platform), m_device(device) {
    connect(&m_client, &BleClient::WriteResponse, this,
            [this](const QString&, const QString& characteristicId) {
                onWriteResponse(characteristicId);
            });
    connect(&m_client, &BleClient::Subscribed, this, [this] {
        MeasureSubscribed = true;
        BleBusy = 0;
    });
    connect(&m_client, &BleClient::Unsubscribed, this, [this] {
        MeasureSubscribed = false;
        BleBusy = 0;
    });
    connect(&m_client, &BleClient::Value, this,
            [this](const QString& serviceId, const QString& characteristicId, const QString&,
                   const QString&, const QString&,
                   const QString& value) { onValue(serviceId, characteristicId, value); });
    connect(&m_client, &BleClient::Error, this, [this] { m_clientError = true; });
    connect(&m_client, &BleClient::Disconnected, this, [this] { m_linkGone = true; });
}

QString BleExchange::say(const char* german, const char* english) const {
    return QString::fromUtf8(m_languageIndex == 0 ? german : english);
}

void BleExchange::onWriteResponse(const QString& characteristicId) {
    if (characteristicId == m_ids.CommandCharId && !BleCommandText.startsWith(QLatin1String("$sl")))
        m_readBackFailed =
            !sent(m_client.ClientRead(m_ids.CommandServiceId, m_ids.CommandCharId), "Read");
    if (characteristicId == m_ids.StorageInfoCharId)
        BleBusy = 0;
}

void BleExchange::onValue(const QString& serviceId, const QString& characteristicId,
                          const QString& value) {
    if (value.isEmpty())
        StorageDataEnd = true;
    if (const std::optional<QString> clock = BleClockAnswer(value)) {
        BleResponseText = *clock;
        BleBusy = 0;
    }
    const bool data = serviceId == m_ids.DataServiceId;
    if (data && characteristicId == m_ids.StorageInfoCharId) {
        Directory = ParseBleDirectory(value);
        for (const QString& problem : std::as_const(Directory.Problems))
            emit logLine(QStringLiteral("Speicherinfo: ") + problem);
        BleBusy = 0;
    }
    if (data && characteristicId == m_ids.StorageDataCharId) {
        BleResponseText = value;
        BleBusy = 0;
    }
    if (data && characteristicId == m_ids.MeasureCharId && !value.isEmpty())
        emit onlineLine(value);
    if (serviceId == m_ids.CommandServiceId && characteristicId == m_ids.CommandCharId &&
        value.startsWith(QLatin1String("$zorv00"))) {
        const qsizetype end = value.indexOf(u'!');
        BleResponseText = end < 0 ? value : value.left(end);
        for (const QString& problem : ApplyBleIdentification(value, m_device))
            emit logLine(QStringLiteral("Identifikation: ") + problem);
        BleBusy = 0;
    }
}

bool BleExchange::sent(const BleCallResult& result, const char* what) {
    if (!result.ok())
        emit logLine(QStringLiteral("BLE %1: %2 %3")
                         .arg(QLatin1String(what))
                         .arg(result.Number)
                         .arg(result.Description));
    return result.ok();
}

bool BleExchange::WriteZorv() {
    return sent(m_client.ClientWrite(m_ids.CommandServiceId, m_ids.CommandCharId, BleCommandText),
                "WriteZorv");
}

bool BleExchange::ReadTime() {
    BleCommandText = QStringLiteral("$glt!");
    return sent(m_client.ClientWrite(m_ids.CommandServiceId, m_ids.CommandCharId, BleCommandText),
                "ReadTime");
}

bool BleExchange::WriteTime() {
    ClockTextSent = BleClockText(m_platform.now());
    BleCommandText = BleSetClockCommand(ClockTextSent);
    return sent(m_client.ClientWrite(m_ids.CommandServiceId, m_ids.CommandCharId, BleCommandText),
                "WriteTime");
}

bool BleExchange::WriteStorageInfo() {
    return sent(m_client.ClientWrite(m_ids.DataServiceId, m_ids.StorageInfoCharId, BleCommandText),
                "WriteStorageInfo");
}

bool BleExchange::SondenFreigabe() {
    BleCommandText = QStringLiteral("-");
    return sent(m_client.ClientWrite(m_ids.DataServiceId, m_ids.StorageInfoCharId, BleCommandText),
                "SondenFreigabe");
}

bool BleExchange::ReadStorageInfo() {
    return sent(m_client.ClientRead(m_ids.DataServiceId, m_ids.StorageInfoCharId),
                "ReadStorageInfo");
}

bool BleExchange::ReadStorageData() {
    return sent(m_client.ClientRead(m_ids.DataServiceId, m_ids.StorageDataCharId),
                "ReadStorageData");
}

bool BleExchange::SubMeasure() {
    const BleCallResult result = m_client.ClientSubscribe(m_ids.DataServiceId, m_ids.MeasureCharId);
    if (!result.ok())
        emit logLine(
            QStringLiteral("Fehler Sub Measure%1 %2").arg(result.Number).arg(result.Description));
    return result.ok();
}

bool BleExchange::UnsubMeasure() {
    const BleCallResult result =
        m_client.ClientUnsubscribe(m_ids.DataServiceId, m_ids.MeasureCharId);
    if (!result.ok()) {
        emit logLine(
            QStringLiteral("Fehler UNSub Measure%1 %2").arg(result.Number).arg(result.Description));
        MeasureSubscribed = false;
    }
    return result.ok();
}

BleOutcome BleExchange::waitBusy(int timeoutMs) {
    // Only a drop while waiting ends the wait; the link may have come back since an earlier one.
    m_linkGone = false;
    m_platform.waitUntil(
        [this] { return BleBusy == 0 || m_clientError || m_readBackFailed || m_linkGone; },
        timeoutMs < 0 ? m_busyTimeoutMs : timeoutMs, false);
    if (BleBusy == 0)
        return {};
    BleBusy = 0;
    if (m_clientError)
        return {BleOutcome::ClientError, QString()};
    if (m_readBackFailed || m_linkGone)
        return notReady();
    return {BleOutcome::NoAnswer, noAnswerMessage()};
}

QString BleExchange::noAnswerMessage() const {
    return say("Keine Antwort vom Bluetooth Gerät", "No answer from the bluetooth device");
}

BleOutcome BleExchange::notReady() const {
    return {BleOutcome::CallFailed,
            say("Bluetooth Verbindung nicht bereit", "Bluetooth link not ready")};
}

BleOutcome BleExchange::request(const std::function<bool()>& send, int timeoutMs) {
    m_clientError = false;
    m_readBackFailed = false;
    BleBusy = Busy;
    if (!send()) {
        BleBusy = 0;
        return notReady();
    }
    return waitBusy(timeoutMs);
}

BleOutcome BleExchange::identify() {
    BleResponseText.clear();
    BleCommandText = QStringLiteral("$zorv00!");
    return request([this] { return WriteZorv(); });
}

BleOutcome BleExchange::suspendMeasure(int timeoutMs) {
    if (!MeasureSubscribed)
        return {};
    return request([this] { return UnsubMeasure(); }, timeoutMs);
}

BleOutcome BleExchange::resumeMeasure() {
    if (MeasureSubscribed)
        return {};
    return request([this] { return SubMeasure(); });
}

BleOutcome BleExchange::renewMeasure() {
    const BleOutcome off = request([this] { return UnsubMeasure(); });
    if (!off.ok())
        emit logLine(QStringLiteral("UnsubMeasure: ") + off.Message);
    return request([this] { return SubMeasure(); });
}

BleOutcome BleExchange::readDirectory() {
    BleOutcome outcome = suspendMeasure();
    if (outcome.ok())
        outcome = request([this] { return ReadStorageInfo(); });
    const BleOutcome resumed = resumeMeasure();
    return outcome.ok() ? resumed : outcome;
}

BleOutcome BleExchange::readClock() {
    return request([this] { return ReadTime(); });
}

BleOutcome BleExchange::setClock() {
    if (!WriteTime())
        return notReady();
    m_platform.waitMs(SetClockSettleMs);
    return {};
}

BleMemoryRead BleExchange::readMemory(int index, const std::function<void(int, int)>& progress,
                                      const std::function<bool()>& cancelled) {
    BleMemoryRead read;
    if (index < 0 || index >= Directory.StorageNames.size()) {
        read.Outcome = {BleOutcome::CallFailed,
                        say("Speicher nicht im Verzeichnis", "Memory not in the directory")};
        return read;
    }
    const int count = Directory.StorageSizes.at(index);
    read.Outcome = suspendMeasure();
    if (read.Outcome.ok()) {
        BleCommandText = Directory.StorageNames.at(index);
        read.Outcome = request([this] { return WriteStorageInfo(); });
    }
    StorageDataEnd = false;
    // The directory's count only measures the progress: the memory ends with the instrument's
    // empty value, and may hold more than was listed. One value beyond the store is read, so
    // that the limit is told rather than values dropped in silence.
    constexpr int MostValues = MeasurementStore::MaxSlot + 1;
    int counter = 1;
    int emptyBlocks = 0;
    while (read.Outcome.ok() && count > 0 && !StorageDataEnd && counter <= MostValues) {
        if (cancelled()) {
            read.Outcome = {BleOutcome::Cancelled, QString()};
            break;
        }
        read.Outcome = request([this] { return ReadStorageData(); });
        if (!read.Outcome.ok() || StorageDataEnd)
            break;
        const BleBlockLines block = TakeBleBlock(BleResponseText, counter, MostValues);
        emptyBlocks = block.Counter == counter ? emptyBlocks + 1 : 0;
        if (emptyBlocks == EmptyBlockLimit) {
            emit logLine(QStringLiteral("Speicher lesen: %1 Blöcke ohne Werte").arg(emptyBlocks));
            break;
        }
        counter = block.Counter;
        read.Lines += block.Lines;
        progress(counter - 1, count);
    }
    if (read.Outcome.ok() && count == 0)
        read.Outcome = {BleOutcome::Empty, QString()};
    const bool linkFailed = read.Outcome.Result == BleOutcome::NoAnswer ||
                            read.Outcome.Result == BleOutcome::ClientError ||
                            read.Outcome.Result == BleOutcome::CallFailed;
    if (!linkFailed) {
        const BleOutcome resumed = resumeMeasure();
        if (read.Outcome.ok())
            read.Outcome = resumed;
        // The release is waited for, so its write response cannot end the caller's next wait.
        const BleOutcome released = request([this] { return SondenFreigabe(); });
        if (!released.ok())
            emit logLine(QStringLiteral("SondenFreigabe: ") + released.Message);
    }
    emit logLine(QStringLiteral("Ende Speicher lesen vor sub ") +
                 (MeasureSubscribed ? QStringLiteral("True") : QStringLiteral("False")));
    return read;
}
