#pragma once

#include "app/frmTransfer.h"
#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

inline constexpr int Com = 7;

// The main window of a fresh installation with a simulated instrument on COM7, as a user finds it
// after pinning the instrument's port and starting the program.
class LinkedWindow : public ::testing::Test {
protected:
    void begin(const QString& model, SimOptions options = {}) {
        install.writeKonfi(model + QStringLiteral("\r\n"));
        const QString title = ProfileForModel(model).Title;
        appData = install.configHome() + QStringLiteral("/Tavelin/") + title;
        QDir().mkpath(appData);
        WriteText(appData + QStringLiteral("/Port.ini"), QStringLiteral("%1\r\n").arg(Com));
        options.PortsFolder = PortsFolder(appData);
        options.ComNumber = Com;
        options.StampStart = QDateTime(QDate(2026, 3, 14), QTime(10, 22, 5));
        ASSERT_FALSE(sim.start(model, options).isEmpty()) << sim.errorString().toStdString();
        w = install.start();
    }
    // The cable is pulled while the instrument sends its FE memory.
    void unplugWhenFeIsAskedFor() {
        QObject::connect(&sim, &InstrumentSimulator::commandReceived, &sim,
                         [this](const QString& command) {
                             if (!command.startsWith(QStringLiteral("$zorv10")))
                                 return;
                             sim.setSilent(true);
                             QTimer::singleShot(200, &sim, [this] { sim.unplug(); });
                         });
    }
    QStringList messages() const { return install.platform.messageTexts(); }
    QString log() const { return ReadText(appData + QStringLiteral("/Tavelin_TransferLog.txt")); }

    TestInstallation install;
    InstrumentSimulator sim;
    QString appData;
    std::unique_ptr<frmTransfer> w;
};

// The values of a memory as the store holds them, for comparing before and after a download.
inline QList<double> StoredValues(frmTransfer& w, MemoryKind kind) {
    const AppState& state = w.state();
    QList<double> values;
    for (int slot = 1; slot <= state.Store.SeriesLength(kind); ++slot)
        values << state.Store.at(kind, slot).Value;
    return values;
}
