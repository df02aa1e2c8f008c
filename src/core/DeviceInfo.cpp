#include "core/DeviceInfo.h"

#include <array>

namespace {

struct Capabilities {
    const char* code;
    const char* memoryLayout;
    const char* linkKind;
    const char* onlineMode;
    const char* markerSource;
    const char* signMode;
    const char* stampSource;
    const char* decimalsMode;
};

constexpr std::array<Capabilities, 8> kCapabilities{{
    {"DP", "2", "B", "E", "1", "+", "+", "2"},
    {"DPB", "4", "L", "E", "2", "+", "-", "2"},
    {"CP", "3", "K", "E", "2", "+", "+", "2"},
    {"EL7", "1", "K", "E", "0", "+", "-", "3"},
    {"AS3", "1", "B", "V", "0", "-", "+", "2"},
    {"AS9", "1", "K", "V", "0", "-", "+", "2"},
    {"AS6", "3", "K", "V", "0", "-", "+", "2"},
    {"BO2", "X", "K", "E", "0", "-", " ", "3"},
}};

} // namespace

void FillCapabilities(DeviceInfo& info, const QString& modelCode) {
    const QString key = modelCode.trimmed().left(3).trimmed();
    for (const Capabilities& c : kCapabilities) {
        if (key == QLatin1String(c.code)) {
            info.MemoryLayout = QString::fromLatin1(c.memoryLayout);
            info.LinkKind = QString::fromLatin1(c.linkKind);
            info.OnlineMode = QString::fromLatin1(c.onlineMode);
            info.MarkerSource = QString::fromLatin1(c.markerSource);
            info.SignMode = QString::fromLatin1(c.signMode);
            info.StampSource = QString::fromLatin1(c.stampSource);
            info.DecimalsMode = QString::fromLatin1(c.decimalsMode);
            return;
        }
    }
    const QString blank(QLatin1Char(' '));
    info.MemoryLayout = info.LinkKind = info.OnlineMode = info.MarkerSource = info.SignMode =
        info.StampSource = info.DecimalsMode = blank;
}

ModelProfile ProfileForModel(const QString& modelCode) {
    const QString first3 = modelCode.left(3);
    if (modelCode == QLatin1String("AS3"))
        return {QStringLiteral("Aster-3 DIVEDADE"), QStringLiteral("DP.gif"),
                MemoryTextBox::Standard};
    if (first3 == QLatin1String("AS9"))
        return {QStringLiteral("Aster-9 DIVEDADE"), QStringLiteral("AS9.gif"),
                MemoryTextBox::Enlarged};
    if (first3 == QLatin1String("AS6"))
        return {QStringLiteral("Aster-6 DIVEDADE"), QStringLiteral("CP.gif"),
                MemoryTextBox::Enlarged};
    if (first3 == QLatin1String("BO2"))
        return {QStringLiteral("Borel-2 DIVEDADE"), QStringLiteral("AS9.gif"),
                MemoryTextBox::Enlarged};
    if (modelCode == QLatin1String("CP"))
        return {QStringLiteral("Cirrus-Pro DIVEDADE"), QStringLiteral("CP.gif"),
                MemoryTextBox::Enlarged};
    if (modelCode == QLatin1String("DP") || modelCode == QLatin1String("DPB"))
        return {QStringLiteral("Delta-Pro DIVEDADE"), QStringLiteral("DP.gif"),
                MemoryTextBox::Standard};
    if (modelCode == QLatin1String("EL7"))
        return {QStringLiteral("Elan-7 DIVEDADE"), QStringLiteral("EL.gif"),
                MemoryTextBox::EnlargedNarrow};
    return {};
}
