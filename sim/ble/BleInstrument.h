#pragma once

#include "sim/InstrumentModel.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// A named memory of the simulated LE instrument and how many values it holds.
struct BleMemory {
    QString Name;
    int Size = 0;
};

// "Bridge:12,Plate:30": names and sizes of the memories; nothing for text that does not fit.
std::optional<QList<BleMemory>> ParseBleMemories(const QString& text);

// What a Bluetooth LE instrument answers on its characteristics: the identification and the
// clock on the command characteristic, the directory on the storage-info characteristic, memory
// blocks of five lines on the storage-data characteristic and one line per online value.
class BleInstrument {
public:
    explicit BleInstrument(quint32 seed = 1);

    void setMemories(const QList<BleMemory>& memories);
    // The directory lists the memory at index with this count, whatever it holds.
    void setListedSize(int index, int size) { m_listed[index] = size; }
    const QList<BleMemory>& memories() const { return m_memories; }
    // Measurement lines of the memory at index, as the blocks carry them.
    QStringList memoryLines(int index) const;
    void setIdentification(const QString& answer) { m_identification = answer; }

    // A write to the command characteristic; the answer is what the next read gives.
    void writeCommand(const QString& command);
    QString readCommand() const { return m_commandAnswer; }
    // A write to the storage-info characteristic: a memory name chooses the memory and starts its
    // blocks again; "-" releases the probe.
    void writeStorageInfo(const QString& text);
    QString readStorageInfo() const;
    // The next block of the chosen memory; an empty value once all blocks were read.
    QString readStorageData();
    // A new online value line.
    QString nextOnlineLine();

    // The instrument's clock, set by "$slt?"; runs on from there.
    QDateTime clock() const { return QDateTime::currentDateTime().addSecs(m_clockOffsetSecs); }
    bool probeReleased() const { return m_released; }
    // Every text written to the command and storage-info characteristics, in order.
    const QStringList& received() const { return m_received; }

private:
    SimModel m_model;
    QRandomGenerator m_random;
    QList<BleMemory> m_memories;
    QHash<int, int> m_listed;
    QList<QStringList> m_lines;
    QString m_identification;
    QString m_commandAnswer;
    int m_chosen = -1;
    int m_nextLine = 0;
    bool m_released = true;
    qint64 m_clockOffsetSecs = 0;
    int m_onlineNumber = 0;
    QStringList m_received;
};
