#pragma once

#include <QString>

// Key strokes into other programs' windows on an X11 display, through libxdo.

// False where no X11 display can be opened: a Wayland session without XWayland, or no display.
bool KeyStrokesAvailable();
// Types the text into the focused window and returns once the display server has taken every
// key; a line feed is the Enter key.
bool TypeKeyStrokes(const QString& text);
// Brings the window of the process, or of a process it started, to the front with the focus.
bool ActivateWindowOfProcess(qint64 pid);
