#pragma once

#include "core/DeviceInfo.h"
#include "core/MesReader.h"

#include <QString>
#include <functional>

class PlatformServices;
class TextTable;

// What saving and opening .mes files needs of the main window.
struct MesFileContext {
    QString MessDataPath;
    const TextTable& Texts; // captions of the file dialogs
    int LanguageIndex = 0;
    QString ProgramTitle; // title of the message boxes
    std::function<void(const QString&)> WriteLog;
    // Takes the failures of the automatic "Online.mes" instead of a box of their own: values
    // keep arriving, and failing, while a box would be open. Empty: a box as for any file.
    std::function<void(const QString&)> OnlineFailure;
};

enum class MesFileStatus { Done, Cancelled, Failed };

struct SaveMesResult {
    MesFileStatus Status = MesFileStatus::Cancelled;
    QString Path;
};

// The file part of cmdSave_Click. With speichernShow false (the online receive path's call) the
// file is "Online.mes" without a dialog and speichernShow becomes true; otherwise the save dialog
// asks for a name in the "mes" folder. reportText is asked for only when a file will be written.
// A failure is shown in a message box and logged (the online call's through OnlineFailure); the
// table is not touched either way, and a file that could not be replaced stays as it was.
SaveMesResult SaveMesFile(PlatformServices& platform, const MesFileContext& context,
                          bool& speichernShow, const std::function<QString()>& reportText);

struct OpenMesResult {
    MesFileStatus Status = MesFileStatus::Cancelled;
    QString Path;
    MesReading Reading;
};

// The file part of cmdOpen_Click: the open dialog in the "mes" folder, then the chosen file read
// for the instrument `device`. A failure, and a file without a single readable value, is shown
// in a message box and logged.
OpenMesResult OpenMesFile(PlatformServices& platform, const MesFileContext& context,
                          const DeviceInfo& device);

// Says, after the table was filled, that the file held more values than the table takes and how
// many were left out; nothing when all fitted. limitText: "Maximale Werteanzahl überschritten".
void ReportMesLeftOut(PlatformServices& platform, const MesFileContext& context,
                      const OpenMesResult& opened, const QString& limitText);
