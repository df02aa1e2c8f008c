#include "ScriptedBleInstrument.h"

#include "core/BleGatt.h"

ScriptedBleInstrument::ScriptedBleInstrument(ScriptedBleClient& client) : m_client(client) {
    client.script = [this](const QStringList& call) { answer(call); };
}

void ScriptedBleInstrument::value(const QString& service, const QString& characteristic,
                                  const QString& text) {
    m_client.later([=, this] {
        emit m_client.Value(serviceId(service), serviceId(characteristic), "", characteristic, "",
                            text);
    });
}

void ScriptedBleInstrument::answer(const QStringList& call) {
    const QString op = call.at(0);
    ScriptedBleClient& c = m_client;
    if (op == "ScanStart") {
        c.later([&c] {
            emit c.StartScan("");
            emit c.Advertisement(Server, "QX Delta-Pro", -58);
        });
    } else if (op == "Connect") {
        c.later([&c] { emit c.Connected(0, "OK"); });
    } else if (op == "Discover") {
        c.later([this, &c] {
            const QList<QPair<QString, QStringList>> services = {
                {BleGatt::CommandService, {BleGatt::CommandChar, BleGatt::TraceChar}},
                {BleGatt::DataService,
                 {BleGatt::StorageInfoChar, BleGatt::StorageDataChar, BleGatt::MeasureChar}}};
            for (const auto& [service, characteristics] : services) {
                emit c.Discovered(0, serviceId(service), "", "", service, "Service");
                for (const QString& ch : characteristics)
                    emit c.Discovered(1, serviceId(service), serviceId(ch), "", ch,
                                      "Characteristic");
            }
        });
    } else if (op == "Disconnect" && !silentDisconnect) {
        c.later([&c] { emit c.Disconnected(0, "OK"); });
    } else if (op == "Write") {
        if (call.at(2) == serviceId(BleGatt::CommandChar))
            instrument.writeCommand(call.at(3));
        else
            instrument.writeStorageInfo(call.at(3));
        c.later([=, &c] { emit c.WriteResponse(call.at(1), call.at(2), "", "", ""); });
    } else if (op == "Read" && call.at(2) == serviceId(BleGatt::CommandChar) && !silentCommands) {
        value(BleGatt::CommandService, BleGatt::CommandChar, instrument.readCommand());
    } else if (op == "Read" && call.at(2) == serviceId(BleGatt::StorageInfoChar)) {
        value(BleGatt::DataService, BleGatt::StorageInfoChar, instrument.readStorageInfo());
    } else if (op == "Read" && call.at(2) == serviceId(BleGatt::StorageDataChar) && !silentBlocks) {
        value(BleGatt::DataService, BleGatt::StorageDataChar, instrument.readStorageData());
    } else if (op == "Subscribe") {
        subscribed = true;
        c.later([&c] { emit c.Subscribed("", "", "", ""); });
    } else if (op == "Unsubscribe") {
        subscribed = false;
        c.later([&c] { emit c.Unsubscribed("", "", "", ""); });
    }
}

QString ScriptedBleInstrument::notify() {
    if (!subscribed)
        return {};
    const QString line = instrument.nextOnlineLine();
    value(BleGatt::DataService, BleGatt::MeasureChar, line);
    return line;
}

void ScriptedBleInstrument::notify(const QString& text) {
    value(BleGatt::DataService, BleGatt::MeasureChar, text);
}

void ScriptedBleInstrument::drop() {
    subscribed = false;
    m_client.later([this] {
        emit m_client.Disconnected(0, "Link lost");
        emit m_client.Log(0, "Link Disconnected: out of range or switched off", 0);
    });
}
