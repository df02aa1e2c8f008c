#include "core/Identification.h"
#include "core/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

DeviceInfo device(const char* modelCode) {
    DeviceInfo info;
    info.ModelCode = QString::fromLatin1(modelCode);
    FillCapabilities(info, info.ModelCode);
    return info;
}

TEST(ApplyIdentification, RefinesADeltaProAndReadsBothCounts) {
    DeviceInfo info = device("DP");
    const QStringList problems = ApplyIdentification(
        "FE-B DELTA-PRO V3.20\r\nVD Version:4.21\r\nM1:12\r\nM2:7\r\nAD Adjusted: 2026-11-02 "
        "\r\nPT Probe:FN5\r\nVP Probe version:1.07\r\n\x04",
        info);
    EXPECT_TRUE(problems.isEmpty());
    EXPECT_EQ(info.IdentLine, "FEB");
    EXPECT_EQ(info.ModelCode, "FEB");
    EXPECT_EQ(info.FECount, 12);
    EXPECT_EQ(info.NFECount, 7);
    EXPECT_EQ(info.MemoryNumber, 2);
    EXPECT_EQ(info.VD, "4.21");
    EXPECT_EQ(info.AD, "2026-11-02");
    EXPECT_EQ(info.PT, "FN5");
    EXPECT_EQ(info.VP, "1.07");

    RefineMemoryLayout(info);
    EXPECT_EQ(info.MemoryLayout, "2E");
}

TEST(ApplyIdentification, OnlyADeltaProTakesTheRefinedCode) {
    DeviceInfo cirrus = device("CP");
    ApplyIdentification("CP-2 CIRRUS\r\n", cirrus);
    EXPECT_EQ(cirrus.IdentLine, "CP2");
    EXPECT_EQ(cirrus.ModelCode, "CP");

    DeviceInfo delta = device("DP");
    ApplyIdentification("FN-B\r\n", delta);
    RefineMemoryLayout(delta);
    EXPECT_EQ(delta.ModelCode, "FNB");
    EXPECT_EQ(delta.MemoryLayout, "2N");
}

TEST(ApplyIdentification, FirstLineWithoutUsableDashLeavesTheModelCode) {
    for (const char* first : {"DELTA PRO", "-", "", "-\x04"}) {
        DeviceInfo info = device("DP");
        ApplyIdentification(QString::fromLatin1(first) + "\r\nM1:3\r\n", info);
        EXPECT_EQ(info.ModelCode, "DP") << first;
        EXPECT_EQ(info.FECount, 3) << first;
    }
    DeviceInfo info = device("DP");
    RefineMemoryLayout(info);
    EXPECT_EQ(info.MemoryLayout, "2");
}

TEST(ApplyIdentification, OneMemoryLayoutsTakeEveryCountAsTheFirst) {
    DeviceInfo info = device("CP");
    ApplyIdentification("CP-2\r\nM1:5\r\nM2:9\r\n", info);
    EXPECT_EQ(info.FECount, 9);
    EXPECT_EQ(info.NFECount, 0);
    EXPECT_EQ(info.MemoryNumber, 2);

    ApplyIdentification("CP-2\r\nM96:40\r\n", info);
    EXPECT_EQ(info.FECount, 40);
    EXPECT_EQ(info.MemoryNumber, 96);
}

TEST(ApplyIdentification, OnlyTheFirstTwoCharactersAreTheKey) {
    DeviceInfo info = device("DP");
    ApplyIdentification("FE-B\r\nVDX:1.2\r\nADjust date :  x \r\nXVD:9\r\n", info);
    EXPECT_EQ(info.VD, "1.2");
    EXPECT_EQ(info.AD, "x");
}

TEST(ApplyIdentification, AbsentKeysKeepTheirValues) {
    DeviceInfo info = device("DP");
    info.FECount = 4;
    info.NFECount = 6;
    info.VD = "old";
    ApplyIdentification("FN-B\r\nM2:1\r\n", info);
    EXPECT_EQ(info.FECount, 4);
    EXPECT_EQ(info.NFECount, 1);
    EXPECT_EQ(info.VD, "old");
}

TEST(ApplyIdentification, KeyedLineWithoutColonTakesTheNextColonsValue) {
    DeviceInfo info = device("DP");
    const QStringList problems =
        ApplyIdentification("FE-B\r\nVD version\r\nPT Probe:FN5\r\nVP\r\n", info);
    EXPECT_TRUE(problems.isEmpty());
    EXPECT_EQ(info.VD, "FN5");
    EXPECT_EQ(info.PT, "FN5");
    EXPECT_EQ(info.VP, "");
}

TEST(ApplyIdentification, UnreadableNumbersAreReportedAndChangeNothing) {
    DeviceInfo info = device("DP");
    info.FECount = 2;
    info.MemoryNumber = 1;
    const QStringList problems =
        ApplyIdentification("FE-B\r\nM1:many\r\nMx:3\r\nM1:99999\r\nMemory\r\nM2:8\r\n", info);
    EXPECT_EQ(problems.size(), 4);
    EXPECT_TRUE(problems.first().contains("M1:many")) << problems.join('\n').toStdString();
    EXPECT_EQ(info.FECount, 2);
    EXPECT_EQ(info.NFECount, 8);
    EXPECT_EQ(info.MemoryNumber, 2);
}

} // namespace
