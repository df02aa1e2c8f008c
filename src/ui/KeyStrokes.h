#pragma once

#include <QString>

// Key strokes into other programs' windows (X11 through libxdo). Both return false where no X11
// display is present or the window cannot be found.
bool TypeKeyStrokes(const QString& text);
bool ActivateWindowOfProcess(qint64 pid);
