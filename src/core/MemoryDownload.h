#pragma once

#include <QString>
#include <QStringList>

// Most lines one memory download hands to the parser.
constexpr int MemoryLineLimit = 5000;

struct MemoryAnswer {
    QStringList Lines;          // measurement lines without CR LF, in the order they came
    bool LimitExceeded = false; // more lines came; those beyond MemoryLineLimit are not taken
};

// Splits the answer to a memory request, collected up to the end-of-transmission character, into
// the lines for the parser: only lines after the line holding just the character 2, without those
// beginning with four blanks, and without text after the last CR LF. Empty lines are left out:
// they carry no value, and handing on stops at the first empty line.
MemoryAnswer SplitMemoryAnswer(const QString& responseText);
