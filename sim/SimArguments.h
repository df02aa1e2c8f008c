#pragma once

#include "InstrumentSimulator.h"

#include <QString>
#include <QStringList>
#include <optional>

struct SimCommandLine {
    QString ModelCode;
    SimOptions Options;
    bool Help = false;
};

// The transfer-sim command line (arguments without the program name). Nothing, with error set,
// for unknown options or values that do not fit.
std::optional<SimCommandLine> ParseSimArguments(const QStringList& arguments, QString* error);

QString SimUsage();

// "2000ms", "2s" or "2000" (milliseconds); nothing for anything else or a negative time.
std::optional<int> ParseDurationMs(const QString& text);
