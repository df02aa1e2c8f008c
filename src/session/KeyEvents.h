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
    const QString& SettingsFolder; // AppDataPath, where the portal's token is kept
    bool& AppStarted;              // KeyEventAppStarted: the target was started for this run
    qint64& TaskId;                // KeyEventTaskId: its process, 0 when the start failed
    bool& GoneShown;               // the target's end was shown in a box
    bool& NoDisplayShown;          // the missing X11 display was shown in a box
    PlatformServices& Platform;
    std::function<QString()> ProgramTitle; // title of message boxes
    std::function<void(const QString&)> WriteLog;
    // That the target has ended, for a value that could not be typed: counted, logged and shown
    // in a box from the event loop, never inside the handler of the value.
    std::function<void(const QString&)> TellGone;
};

// Makes key events ready when the function is on, the way this desktop sends them. On X11 it
// starts KeyEventApp unless a target runs for it already; where key strokes cannot reach other
// programs it says so once per run, in a box and in the log. On Wayland it asks the desktop's
// portal for its keyboard, with the token kept from the last run; a keyboard that cannot be had
// or is taken back later is told once, in a box and in the log, and switches the function off
// for the run. Switched off, the portal's keyboard is given back.
void StartKeyEvents(KeyEventContext& context);

// Types one online record: on X11 the target's window comes to the front, then each text of
// KeyEventTexts, each taken before the next; a target that has ended is told for every value
// (TellGone). On Wayland the texts go to the window that has the focus, once the portal's
// keyboard is open. The record stays in the table either way.
void ForwardKeyEvents(KeyEventContext& context, const MeasurementRecord& record,
                      const QString& decimalsMode);

// "App <application> wurde beendet, bitte Pgm neu starten!" and its English form.
QString KeyEventAppGoneText(const QString& application, int languageIndex);
