#pragma once

#include "core/DeviceInfo.h"

#include <QString>
#include <QStringList>

// Takes the instrument's answer to the identification request (lines ending in CR LF) into info:
// the first line becomes IdentLine, refined to the text before its first "-" and the character
// after it; a "DP" model code takes the refined text. "VD", "M", "AD", "PT" and "VP" lines give
// their values. Keys absent from the answer keep their previous values. A line whose number
// cannot be read changes nothing and is described in the result, for the log; every other line
// is still taken.
QStringList ApplyIdentification(const QString& answer, DeviceInfo& info);

// After a connect, a model code beginning with "FE" means two FE memories ("2E"), one beginning
// with "FN" an FE and an NFE memory ("2N").
void RefineMemoryLayout(DeviceInfo& info);
