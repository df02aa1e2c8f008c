#include "session/KeyEvents.h"

#include "core/KeyEventText.h"
#include "platform/PlatformServices.h"

namespace {

QString NoKeyStrokesText(int languageIndex) {
    return languageIndex == 0
               ? QStringLiteral("Tastatur Events können nicht gesendet werden: es gibt keine "
                                "X11-Anzeige (Wayland ohne XWayland oder keine Anzeige).")
               : QStringLiteral("Key events cannot be sent: there is no X11 display (Wayland "
                                "without XWayland, or no display).");
}

void Tell(KeyEventContext& context, const QString& text) {
    context.Platform.messageBox(text, PlatformServices::Buttons::Ok,
                                PlatformServices::Icon::Information, context.ProgramTitle());
}

} // namespace

QString KeyEventAppGoneText(const QString& application, int languageIndex) {
    return QStringLiteral("App ") + application +
           (languageIndex == 0 ? QStringLiteral(" wurde beendet, bitte Pgm neu starten!")
                               : QStringLiteral(" was terminated, please restart program!"));
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

void TellIfNoKeyStrokes(KeyEventContext& context) {
    if (!context.Settings.KeyEventsEnabled || context.NoDisplayShown ||
        context.Platform.keyStrokesAvailable())
        return;
    context.NoDisplayShown = true;
    const QString text = NoKeyStrokesText(context.Settings.LanguageIndex);
    Tell(context, text);
    context.WriteLog(text);
}

void ForwardKeyEvents(KeyEventContext& context, const MeasurementRecord& record,
                      const QString& decimalsMode) {
    const AppSettings& s = context.Settings;
    // Without a display nothing can be typed; the user was told when the function came on.
    if (!s.KeyEventsEnabled || !context.Platform.keyStrokesAvailable())
        return;
    if (!context.Platform.programRunning(context.TaskId)) {
        context.TellGone(KeyEventAppGoneText(s.KeyEventApp, s.LanguageIndex));
        return;
    }
    if (!context.Platform.activateProgram(context.TaskId)) {
        context.WriteLog(QStringLiteral("Fenster nicht gefunden: ") + s.KeyEventApp);
        return;
    }
    for (const QString& text :
         KeyEventTexts(record, decimalsMode, s.KeyEventFields, s.KeyEventLineEnd)) {
        if (!context.Platform.sendKeys(text))
            return;
    }
}
