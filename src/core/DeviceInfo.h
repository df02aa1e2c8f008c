#pragma once

#include <QString>

// The connected instrument: capability fields fixed by the model code at start-up,
// identification values filled when the instrument answers.
struct DeviceInfo {
    QString ModelCode;
    QString IdentLine;
    QString MemoryLayout;
    QString LinkKind;
    QString OnlineMode;
    QString MarkerSource;
    QString SignMode;
    QString StampSource;
    QString DecimalsMode;
    QString VD;
    QString AD;
    QString PT;
    QString VP;
    // Only Bluetooth LE instruments report these.
    QString IdentV;
    QString IdentB;
    QString IdentR;
    QString IdentS;
    qint16 FECount = 0;
    qint16 NFECount = 0;
    qint16 MemoryNumber = 0;
};

// Fills the seven capability fields from the first three characters of the trimmed model code.
// An unknown code blanks them all, so it matches none of the tests that consult them.
void FillCapabilities(DeviceInfo& info, const QString& modelCode);

enum class MemoryTextBox { Standard, Enlarged, EnlargedNarrow };

// Title, picture and memory text box chosen from the model code at start-up.
struct ModelProfile {
    QString Title;       // empty for an unknown code
    QString PictureFile; // file name beside the program, e.g. "DP.gif"; empty when none
    MemoryTextBox TextBox = MemoryTextBox::Standard;
};

ModelProfile ProfileForModel(const QString& modelCode);
