#include "sim/InstrumentModel.h"
#include "sim/InstrumentSimulator.h"
#include "sim/SimArguments.h"

#include "core/Identification.h"
#include "core/MeasurementLine.h"
#include "core/MemoryDownload.h"
#include "core/QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* const SerialModels[] = {"DP", "CP", "EL7", "AS3", "AS9", "AS6", "BO2"};
const QDateTime StampStart(QDate(2026, 3, 14), QTime(10, 22, 5));

TEST(SimModel, CoversTheSerialInstrumentsOnly) {
    for (const char* code : SerialModels)
        EXPECT_TRUE(SimModelFor(code)) << code;
    EXPECT_FALSE(SimModelFor("DPB"));
    EXPECT_FALSE(SimModelFor("XYZ"));
    EXPECT_EQ(SimModelFor("DP")->MemoryCount, 2);
    EXPECT_EQ(SimModelFor("CP")->MemoryCount, 1);
    EXPECT_EQ(SimModelFor("BO2")->MemoryCount, 0);
}

TEST(SimModel, LinesReadBackInTheInstrumentsColumns) {
    for (const char* code : SerialModels) {
        const SimModel model = *SimModelFor(code);
        QRandomGenerator random(3);
        for (const SimReading& reading : SimReadings(model, 1, 40, random, StampStart)) {
            const QString line = SimMeasurementLine(reading, model.Device.DecimalsMode);
            SCOPED_TRACE(line.toStdString());
            EXPECT_EQ(ReadNumber(LineField(line, 1, 4)), reading.Number);
            EXPECT_NEAR(*ReadNumber(LineField(line, 7, 10)), reading.Value, 0.5);
            EXPECT_EQ(LineField(line, 18, 4).trimmed(), model.Unit.trimmed());
            EXPECT_EQ(LineField(line, 23, 3), reading.Marker);
            if (model.Device.StampSource == "-")
                EXPECT_EQ(ParseDeviceStamp(LineField(line, 27, 19)), reading.Stamp);
            else
                EXPECT_EQ(line.size(), 25);
        }
    }
}

TEST(SimModel, ValuesScatterAroundTheMean) {
    SimModel model = *SimModelFor("DP");
    model.Mean = 60;
    model.Spread = 3;
    QRandomGenerator random(9);
    const QList<SimReading> readings = SimReadings(model, 1, 2000, random, StampStart);
    double sum = 0;
    double squares = 0;
    for (const SimReading& reading : readings) {
        sum += reading.Value;
        squares += reading.Value * reading.Value;
    }
    const double mean = sum / readings.size();
    EXPECT_NEAR(mean, 60, 0.3);
    EXPECT_NEAR(std::sqrt(squares / readings.size() - mean * mean), 3, 0.3);
}

TEST(SimModel, MarkersFollowTheModelsMemories) {
    QRandomGenerator random(1);
    const SimModel delta = *SimModelFor("DP");
    EXPECT_EQ(SimReadings(delta, 1, 1, random, {}).first().Marker, " Fe");
    EXPECT_EQ(SimReadings(delta, 2, 1, random, {}).first().Marker, "NFe");
    SimModel twoFe = delta;
    twoFe.IdentLine = "FE-B DELTA-PRO";
    EXPECT_EQ(SimReadings(twoFe, 2, 1, random, {}).first().Marker, " Fe");
    EXPECT_EQ(SimReadings(*SimModelFor("AS9"), 1, 1, random, {}).first().Marker, "   ");
}

TEST(SimModel, IdentificationReadsBackAsTheCountsItWasMadeFrom) {
    for (const char* code : SerialModels) {
        const SimModel model = *SimModelFor(code);
        DeviceInfo info;
        info.ModelCode = code;
        FillCapabilities(info, code);
        EXPECT_TRUE(ApplyIdentification(SimIdentification(model, 12, 7, 96), info).isEmpty())
            << code;
        if (model.MemoryCount > 0)
            EXPECT_EQ(info.FECount, 12) << code;
        EXPECT_EQ(info.NFECount, model.MemoryCount == 2 ? 7 : 0) << code;
        EXPECT_EQ(info.MemoryNumber, model.MemoryCount == 1 ? 96 : model.MemoryCount) << code;
        EXPECT_EQ(info.VD, model.Version);
        EXPECT_EQ(info.PT, model.Probe);
        EXPECT_FALSE(info.AD.isEmpty());
        EXPECT_FALSE(info.VP.isEmpty());
    }
}

TEST(SimModel, DownloadSplitsBackIntoItsLines) {
    const QStringList lines{"   1        83.3 mi    Fe", "   2        86.5 mi    Fe"};
    const QString answer = SimDownload(1, lines);
    EXPECT_TRUE(answer.startsWith(QString(QChar(2)) + "\r\n    "));
    EXPECT_TRUE(answer.endsWith(QChar(4)));
    EXPECT_EQ(SplitMemoryAnswer(answer).Lines, lines);
    EXPECT_TRUE(SplitMemoryAnswer(SimDownload(2, {})).Lines.isEmpty());
}

TEST(SimArguments, ReadsTheOptions) {
    QString error;
    const auto commandLine = ParseSimArguments(
        {"--model", "DP", "--ports-folder", "/tmp/p", "--com", "7", "--fe", "25", "--nfe", "3",
         "--online-every", "2s", "--mean", "60.5", "--utf8", "--not-available"},
        &error);
    ASSERT_TRUE(commandLine) << error.toStdString();
    EXPECT_EQ(commandLine->ModelCode, "DP");
    EXPECT_EQ(commandLine->Options.PortsFolder, "/tmp/p");
    EXPECT_EQ(commandLine->Options.ComNumber, 7);
    EXPECT_EQ(commandLine->Options.FeCount, 25);
    EXPECT_EQ(commandLine->Options.NfeCount, 3);
    EXPECT_EQ(commandLine->Options.OnlineEveryMs, 2000);
    EXPECT_EQ(commandLine->Options.Mean, 60.5);
    EXPECT_TRUE(commandLine->Options.Utf8);
    EXPECT_TRUE(commandLine->Options.NotAvailable);
    EXPECT_FALSE(commandLine->Options.Silent);

    EXPECT_EQ(ParseSimArguments({"--model", "AS9"}, &error)->Options.OnlineEveryMs, 500);
    EXPECT_EQ(ParseSimArguments({"--model", "CP"}, &error)->Options.OnlineEveryMs, 2000);
    EXPECT_TRUE(ParseSimArguments({"--help"}, &error)->Help);
}

TEST(SimArguments, RefusesWhatDoesNotFit) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"--model", "DPB"}, QStringList{"--model"},
          QStringList{"--model", "DP", "--com", "0"}, QStringList{"--model", "DP", "--fe", "x"},
          QStringList{"--model", "DP", "--online-every", "-5ms"},
          QStringList{"--model", "DP", "--colour", "red"}}) {
        QString error;
        EXPECT_FALSE(ParseSimArguments(arguments, &error)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(ParseDurationMs("2000ms"), 2000);
    EXPECT_EQ(ParseDurationMs("2000"), 2000);
    EXPECT_EQ(ParseDurationMs("3s"), 3000);
    EXPECT_FALSE(ParseDurationMs("soon"));
    EXPECT_FALSE(ParseDurationMs("99999999s"));
}

TEST(InstrumentSimulator, PinsItsNumberWithALinkAndRemovesItWhenUnplugged) {
    QTemporaryDir folder;
    const QString ports = folder.filePath("ports");
    ASSERT_TRUE(QDir().mkpath(ports));
    ASSERT_TRUE(QFile::link("/dev/null", ports + "/COM3")); // left over from an earlier run

    SimOptions options;
    options.PortsFolder = ports;
    options.ComNumber = 3;
    InstrumentSimulator sim;
    const QString device = sim.start("CP", options);
    ASSERT_FALSE(device.isEmpty()) << sim.errorString().toStdString();
    EXPECT_TRUE(device.startsWith("/dev/pts/"));
    EXPECT_EQ(QFileInfo(ports + "/COM3").symLinkTarget(), device);
    EXPECT_TRUE(sim.isRunning());

    sim.unplug();
    EXPECT_FALSE(sim.isRunning());
    EXPECT_FALSE(QFileInfo(ports + "/COM3").isSymLink());
    EXPECT_FALSE(QFileInfo::exists(device));
}

TEST(InstrumentSimulator, RefusesToReplaceSomethingThatIsNoLink) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir().mkpath(folder.filePath("ports/COM4")));
    SimOptions options;
    options.PortsFolder = folder.filePath("ports");
    options.ComNumber = 4;
    InstrumentSimulator sim;
    EXPECT_TRUE(sim.start("CP", options).isEmpty());
    EXPECT_TRUE(sim.errorString().contains("no link")) << sim.errorString().toStdString();
    EXPECT_FALSE(sim.isRunning());
    EXPECT_TRUE(sim.start("DPB", {}).isEmpty());
}

} // namespace
