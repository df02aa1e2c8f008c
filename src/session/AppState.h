#pragma once

#include "core/AppSettings.h"
#include "core/ChartData.h"
#include "core/DeviceInfo.h"
#include "core/Limits.h"
#include "core/MeasurementLine.h"
#include "core/MeasurementStore.h"
#include "core/Statistics.h"
#include "core/TextTable.h"
#include "core/TransferLog.h"

#include <QString>

// The state that the program's windows share for the whole run; owned by the main window.
struct AppState {
    QString Version = QStringLiteral("V4.05");
    QString ProgramFolder;
    QString CompanyName;
    QString ModelTitle;
    QString AppDataPath;
    QString MessDataPath;
    QString DecimalSeparator;
    QString StartDate;

    DeviceInfo Device;
    AppSettings Settings;
    Limits Limit;
    TextTable Texts;
    TransferLog Log;

    bool OnlinePaused = false;
    bool SpeichernShow = false;
    bool AbsoluteValues = false;
    bool LimitsSaved = false;

    MemoryKind Kind = MemoryKind::FE;
    MeasurementCounters Counters; // CurrentIndex and OnlineCounter
    MeasurementStore Store;
    StatisticState Stat;
    // The last main chart drawn; the large chart window shows it again.
    ChartData Chart;
    // PC clock of the last line taken; the table's date header until a record gives one.
    QString ClockTime;
    QString ClockDate;
    // Names of the two memories, captions of optFE and optNFE.
    QString FEName;
    QString NFEName;
    // " (n)": rows of the table, for the memory option captions.
    QString CountSuffix = QStringLiteral(" (0)");
    // Instrument memory chosen for reading (models with numbered memories).
    qint16 SelectedMemory = 0;
    bool ReadAllMemories = false;
    // Time and date of the last memory download, for the report.
    QString DownloadTime;
    QString DownloadDate;
    // The FE table holds a file rather than the instrument's memory.
    bool FileLoaded = false;
    bool KeyEventAppStarted = false;
    qint64 KeyEventTaskId = 0;
    bool KeyEventGoneShown = false;      // the target's end was shown once
    bool KeyEventNoDisplayShown = false; // the missing X11 display was shown once

    qint16 languageIndex() const { return Settings.LanguageIndex; }
    const QString& caption(int slot) const { return Texts.caption(Settings.LanguageIndex, slot); }
    const QString& message(int slot) const { return Texts.message(Settings.LanguageIndex, slot); }
    // Model title, one blank and the version, e.g. "Delta-Pro DIVEDADE V4.05".
    QString titleText() const { return ModelTitle + QLatin1Char(' ') + Version; }
};
