#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

// Everything a test cannot drive for real: modal boxes, file and printer dialogs, the desktop
// shell, other programs' windows, the clock, the Esc key and waits that keep the window alive.
class PlatformServices {
public:
    enum class Buttons { Ok, YesNo };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Yes, No };
    enum class WaitResult { Done, Escaped, TimedOut };
    // How key strokes reach other programs: through the X11 display into a window the program
    // activates, through the Wayland desktop's remote-desktop portal into the window that has
    // the focus, or not at all.
    enum class KeyRoad { None, X11, Portal };
    // Why the portal's keyboard is not there: no portal or none with a keyboard, the user
    // refused it, or the desktop ended it after it was given.
    enum class KeyboardEnd { Unavailable, Refused, Gone };

    virtual ~PlatformServices() = default;

    virtual Answer messageBox(const QString& text, Buttons buttons, Icon icon,
                              const QString& title) = 0;
    // Empty text when the user cancels.
    virtual QString openFileName(const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual bool printerDialog(QPrinter& printer) = 0;

    // Opens a document with the desktop's default application; false when that failed.
    virtual bool openDocument(const QString& path) = 0;
    // Starts a program without taking the focus; returns a task id, 0 on failure.
    virtual qint64 startProgram(const QString& commandLine) = 0;
    virtual bool programRunning(qint64 taskId) const = 0;
    // Brings the program's window to the front with the focus; false when none was found.
    virtual bool activateProgram(qint64 taskId) = 0;
    // The road of this desktop session, the same for the whole run.
    virtual KeyRoad keyRoad() const = 0;
    // X11: types the text into the active window and returns when it was taken. Portal: hands
    // the keys to the desktop in order, false when its keyboard is not open. "\n" is Enter.
    virtual bool sendKeys(const QString& keys) = 0;
    // Portal road: asks the desktop for its keyboard unless it is open or asked for already; the
    // desktop may ask the user first. `started` gets the token that opens it without asking next
    // time (empty when the desktop keeps none); `ended` is called once, when it cannot be had or
    // the desktop later takes it back. The answers come from the event loop.
    virtual void openKeyboard(const QString& restoreToken,
                              std::function<void(const QString& token)> started,
                              std::function<void(KeyboardEnd)> ended) = 0;
    // Gives the keyboard back; neither answer of openKeyboard() comes any more.
    virtual void closeKeyboard() = 0;
    virtual bool keyboardOpen() const = 0;

    virtual QDateTime now() const = 0;
    virtual qint64 tickCountMs() const = 0;
    virtual bool escapeHeld() const = 0;

    // Lets window and component events run until done() holds, Esc is held (when escEnds) or
    // timeoutMs passes (negative: no limit).
    virtual WaitResult waitUntil(const std::function<bool()>& done, int timeoutMs,
                                 bool escEnds) = 0;
    // Waits a fixed time with events running.
    void waitMs(int ms) {
        waitUntil([] { return false; }, ms, false);
    }
};
