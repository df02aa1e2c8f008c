#pragma once

#include <QString>

// The token with which the desktop's remote-desktop portal hands out its keyboard again without
// asking the user, kept in a file of its own in the settings folder. It opens the keyboard to
// this program, so only its owner may read it.

// Empty when there is none or it cannot be read.
QString ReadKeyboardToken(const QString& folder);
// An empty token removes the file. False when it could not be written.
bool WriteKeyboardToken(const QString& folder, const QString& token);
