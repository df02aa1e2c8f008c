#pragma once

#include "core/AppSettings.h"
#include "core/MeasurementStore.h"

#include <QString>
#include <functional>

class PlatformServices;

// What key-event forwarding and its dialog need of the main window: the settings and the run
// state of the started target.
struct KeyEventContext {
    AppSettings& Settings;
    bool& AppStarted;     // KeyEventAppStarted: the target was started for this run
    qint64& TaskId;       // KeyEventTaskId: its process, 0 when the start failed
    bool& GoneShown;      // the target's end was shown in a box
    bool& NoDisplayShown; // the missing X11 display was shown in a box
    PlatformServices& Platform;
    std::function<QString()> ProgramTitle; // title of message boxes
    std::function<void(const QString&)> WriteLog;
    // That the target has ended, for a value that could not be typed: counted, logged and shown
    // in a box from the event loop, never inside the handler of the value.
    std::function<void(const QString&)> TellGone;
};

// Starts KeyEventApp when the function is on and no target runs for it yet.
void StartKeyEventApp(KeyEventContext& context);

// Says once per run, in a box and in the log, that key events cannot reach other programs here;
// nothing when the function is off or the desktop can send them.
void TellIfNoKeyStrokes(KeyEventContext& context);

// Types one online record into the target: its window comes to the front, then each text of
// KeyEventTexts, each taken before the next. A target that has ended is told for every value
// (TellGone); the record stays in the table either way.
void ForwardKeyEvents(KeyEventContext& context, const MeasurementRecord& record,
                      const QString& decimalsMode);

// "App <application> wurde beendet, bitte Pgm neu starten!" and its English form.
QString KeyEventAppGoneText(const QString& application, int languageIndex);
