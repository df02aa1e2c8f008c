#include "ui/KeyStrokes.h"

#include "ui/ProcessTree.h"

#include <QByteArray>
#include <cstdlib>
#include <unistd.h>

// xdo.h has no extern "C" guard and defines Xlib macros that clash with Qt: keep it here alone.
extern "C" {
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xdo.h>
}

namespace {

// Microseconds between two keys, libxdo's own default.
constexpr useconds_t KeyDelay = 12000;

int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// One connection for the run, opened again when DISPLAY changes.
class XdoConnection {
public:
    ~XdoConnection() { close(); }

    xdo_t* get() {
        const char* display = std::getenv("DISPLAY");
        const QByteArray name = display != nullptr ? QByteArray(display) : QByteArray();
        if (m_handle != nullptr && name == m_display)
            return m_handle;
        close();
        m_display = name;
        if (name.isEmpty())
            return nullptr;
        XSetErrorHandler(IgnoreXError);
        m_handle = xdo_new(name.constData());
        return m_handle;
    }

private:
    void close() {
        if (m_handle != nullptr)
            xdo_free(m_handle);
        m_handle = nullptr;
    }

    xdo_t* m_handle = nullptr;
    QByteArray m_display;
};

xdo_t* Connection() {
    static XdoConnection connection;
    return connection.get();
}

// Without a window manager that activates windows on request, the focus is set directly.
bool WindowManagerActivates(Display* display) {
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False, XA_ATOM,
                           &type, &format, &count, &after, &data) != Success ||
        data == nullptr)
        return false;
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    bool found = false;
    for (unsigned long i = 0; i < count && !found; ++i)
        found = atoms[i] == active;
    XFree(data);
    return found;
}

// The windows of the process that can take the focus: one on screen first, else one that a window
// manager keeps (a minimised one, which activating brings back).
bool FindWindowOf(xdo_t* xdo, qint64 pid, Window& window) {
    xdo_search_t search{};
    search.pid = static_cast<int>(pid);
    search.searchmask = SEARCH_PID;
    search.require = xdo_search::SEARCH_ALL;
    search.max_depth = -1;
    Window* windows = nullptr;
    unsigned int count = 0;
    if (xdo_search_windows(xdo, &search, &windows, &count) != 0)
        count = 0;
    const Atom wmState = XInternAtom(xdo->xdpy, "WM_STATE", True);
    Window managed = 0;
    bool found = false;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(xdo->xdpy, windows[i], &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            window = windows[i];
            found = true;
        } else if (managed == 0 && wmState != 0) {
            Atom type = 0;
            int format = 0;
            unsigned long items = 0;
            unsigned long after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(xdo->xdpy, windows[i], wmState, 0, 1, False, AnyPropertyType,
                                   &type, &format, &items, &after, &data) == Success &&
                type != 0)
                managed = windows[i];
            if (data != nullptr)
                XFree(data);
        }
    }
    std::free(windows);
    if (!found && managed != 0) {
        window = managed;
        found = true;
    }
    return found;
}

// A window manager activates on request and in its own time; a bounded wait keeps a manager that
// refuses from holding up the program.
bool WaitUntilActive(xdo_t* xdo, Window window) {
    constexpr int StepUs = 5000;
    constexpr int Steps = 200;
    for (int i = 0; i < Steps; ++i) {
        Window active = 0;
        if (xdo_get_active_window(xdo, &active) == 0 && active == window)
            return true;
        usleep(StepUs);
    }
    return false;
}

} // namespace

bool KeyStrokesAvailable() {
    return Connection() != nullptr;
}

bool TypeKeyStrokes(const QString& text) {
    xdo_t* xdo = Connection();
    if (xdo == nullptr)
        return false;
    const QByteArray utf8 = text.toUtf8();
    const bool typed = xdo_enter_text_window(xdo, CURRENTWINDOW, utf8.constData(), KeyDelay) == 0;
    XSync(xdo->xdpy, False);
    return typed;
}

bool ActivateWindowOfProcess(qint64 pid) {
    xdo_t* xdo = Connection();
    if (xdo == nullptr || pid <= 0)
        return false;
    Window window = 0;
    bool found = false;
    for (qint64 candidate : ProcessAndDescendants(pid)) {
        found = FindWindowOf(xdo, candidate, window);
        if (found)
            break;
    }
    if (!found)
        return false;
    if (WindowManagerActivates(xdo->xdpy))
        return xdo_activate_window(xdo, window) == 0 && WaitUntilActive(xdo, window);
    // Without a window manager the focus is set directly, and holds once the server has it.
    XRaiseWindow(xdo->xdpy, window);
    XSetInputFocus(xdo->xdpy, window, RevertToParent, CurrentTime);
    XSync(xdo->xdpy, False);
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(xdo->xdpy, &focused, &revert);
    return focused == window;
}
