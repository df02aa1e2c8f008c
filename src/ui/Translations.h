#pragma once

// Qt's own texts (the buttons of a question, the file, print and colour dialogs) and the
// program's descriptions in the language chosen: 0 German, any other English. False when Qt's
// catalogue for German is not installed; the program's own descriptions follow all the same.
bool UseLanguage(int languageIndex);
