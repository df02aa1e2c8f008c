#pragma once

#include <QString>

// The text that opens the message about a failed settings action; the failure's description
// follows it directly. Language 0 German, any other English. Unknown action codes give "".
QString SettingsErrorText(const QString& actionCode, int languageIndex);
