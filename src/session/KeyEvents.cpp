#include "session/KeyEvents.h"

#include "core/KeyEventText.h"
#include "core/KeyboardToken.h"
#include "platform/PlatformServices.h"

namespace {

using KeyRoad = PlatformServices::KeyRoad;
using KeyboardEnd = PlatformServices::KeyboardEnd;

QString NoKeyStrokesText(int languageIndex) {
    return languageIndex == 0
               ? QStringLiteral("Tastatur Events können nicht gesendet werden: es gibt keine "
                                "X11-Anzeige (Wayland ohne XWayland oder keine Anzeige).")
               : QStringLiteral("Key events cannot be sent: there is no X11 display (Wayland "
                                "without XWayland, or no display).");
}

QString KeyboardEndText(KeyboardEnd end, int languageIndex) {
    const bool german = languageIndex == 0;
    switch (end) {
    case KeyboardEnd::Unavailable:
        return german ? QStringLiteral("Tastatur Events können nicht gesendet werden: der "
                                       "Wayland-Desktop bietet über sein Fernsteuerungs-Portal "
                                       "keine Tastatur an. Die Funktion ist ausgeschaltet.")
                      : QStringLiteral("Key events cannot be sent: the Wayland desktop offers no "
                                       "keyboard through its remote-desktop portal. The function "
                                       "has been switched off.");
    case KeyboardEnd::Refused:
        return german ? QStringLiteral("Tastatur Events können nicht gesendet werden: die "
                                       "Fernsteuerung der Tastatur wurde am Desktop abgelehnt. Die "
                                       "Funktion ist ausgeschaltet.")
                      : QStringLiteral("Key events cannot be sent: remote control of the keyboard "
                                       "was refused on the desktop. The function has been "
                                       "switched off.");
    case KeyboardEnd::Gone:
        break;
    }
    return german ? QStringLiteral("Tastatur Events können nicht mehr gesendet werden: der Desktop "
                                   "hat die Fernsteuerung der Tastatur beendet. Die Funktion ist "
                                   "ausgeschaltet.")
                  : QStringLiteral("Key events can no longer be sent: the desktop ended remote "
                                   "control of the keyboard. The function has been switched off.");
}

void Tell(const KeyEventContext& context, const QString& text) {
    context.Platform.messageBox(text, PlatformServices::Buttons::Ok,
                                PlatformServices::Icon::Information, context.ProgramTitle());
}

void StartKeyEventApp(KeyEventContext& context) {
    const AppSettings& s = context.Settings;
    if (s.KeyEventApp.isEmpty() || !s.KeyEventsEnabled || context.AppStarted)
        return;
    context.TaskId = context.Platform.startProgram(s.KeyEventApp);
    context.AppStarted = true;
    context.GoneShown = false;
    if (context.TaskId == 0)
        context.WriteLog(QStringLiteral("Anwendung konnte nicht gestartet werden: ") +
                         s.KeyEventApp);
}

void TellNoKeyStrokes(KeyEventContext& context) {
    if (context.NoDisplayShown)
        return;
    context.NoDisplayShown = true;
    const QString text = NoKeyStrokesText(context.Settings.LanguageIndex);
    Tell(context, text);
    context.WriteLog(text);
}

// The answers come from the event loop, long after the caller's context is gone: they keep a
// copy, whose references are the main window's.
void OpenPortalKeyboard(const KeyEventContext& context) {
    context.Platform.openKeyboard(
        ReadKeyboardToken(context.SettingsFolder),
        [context](const QString& token) {
            if (!WriteKeyboardToken(context.SettingsFolder, token))
                context.WriteLog(QStringLiteral("Tastatur Events: Token des Portals nicht "
                                                "gespeichert in ") +
                                 context.SettingsFolder);
        },
        [context](KeyboardEnd end) {
            context.Settings.KeyEventsEnabled = false;
            const QString text = KeyboardEndText(end, context.Settings.LanguageIndex);
            context.WriteLog(text);
            Tell(context, text);
        });
}

} // namespace

QString KeyEventAppGoneText(const QString& application, int languageIndex) {
    return QStringLiteral("App ") + application +
           (languageIndex == 0 ? QStringLiteral(" wurde beendet, bitte Pgm neu starten!")
                               : QStringLiteral(" was terminated, please restart program!"));
}

void StartKeyEvents(KeyEventContext& context) {
    const KeyRoad road = context.Platform.keyRoad();
    if (!context.Settings.KeyEventsEnabled) {
        if (road == KeyRoad::Portal)
            context.Platform.closeKeyboard();
        return;
    }
    switch (road) {
    case KeyRoad::X11:
        StartKeyEventApp(context);
        break;
    case KeyRoad::Portal:
        OpenPortalKeyboard(context);
        break;
    case KeyRoad::None:
        StartKeyEventApp(context);
        TellNoKeyStrokes(context);
        break;
    }
}

void ForwardKeyEvents(KeyEventContext& context, const MeasurementRecord& record,
                      const QString& decimalsMode) {
    const AppSettings& s = context.Settings;
    const KeyRoad road = context.Platform.keyRoad();
    // Without a display nothing can be typed; the user was told when the function came on.
    if (!s.KeyEventsEnabled || road == KeyRoad::None)
        return;
    if (road == KeyRoad::Portal) {
        // While the desktop still asks the user, its question may have the focus.
        if (!context.Platform.keyboardOpen()) {
            context.WriteLog(QStringLiteral("Tastatur Events: Wert %1 nicht gesendet, der Desktop "
                                            "hat die Tastatur noch nicht freigegeben")
                                 .arg(record.Number));
            return;
        }
    } else if (!context.Platform.programRunning(context.TaskId)) {
        context.TellGone(KeyEventAppGoneText(s.KeyEventApp, s.LanguageIndex));
        return;
    } else if (!context.Platform.activateProgram(context.TaskId)) {
        context.WriteLog(QStringLiteral("Fenster nicht gefunden: ") + s.KeyEventApp);
        return;
    }
    for (const QString& text :
         KeyEventTexts(record, decimalsMode, s.KeyEventFields, s.KeyEventLineEnd)) {
        if (!context.Platform.sendKeys(text))
            return;
    }
}
