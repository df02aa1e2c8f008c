#include "ui/KeyStrokes.h"

#include "core/KeyEventText.h"
#include "ui/ProcessTree.h"

#include <QByteArray>
#include <QStringList>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <optional>
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

// A connection for one call: one kept for the run would take the program down with it when the
// display server goes away, as Xlib ends the program on a broken connection.
class Xdo {
public:
    Xdo() {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0')
            return;
        XSetErrorHandler(IgnoreXError);
        m_handle = xdo_new(display);
    }
    ~Xdo() {
        if (m_handle != nullptr)
            xdo_free(m_handle);
    }
    Xdo(const Xdo&) = delete;
    Xdo& operator=(const Xdo&) = delete;

    xdo_t* get() const { return m_handle; }

private:
    xdo_t* m_handle = nullptr;
};

// Gives each character of the text that no key produces (such as "µ" on many layouts) an unused
// key of its own, and keeps it there. libxdo would bind such a character only for the moment of
// typing it, and a program that reads the new key map late then sees a key without a character.
// True when the map changed.
bool BindMissingCharacters(Display* display, const QString& text) {
    int minCode = 0;
    int maxCode = 0;
    XDisplayKeycodes(display, &minCode, &maxCode);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minCode), maxCode - minCode + 1,
                                      &perCode);
    if (map == nullptr)
        return false;
    auto unused = [&](int code) {
        for (int j = 0; j < perCode; ++j) {
            if (map[(code - minCode) * perCode + j] != NoSymbol)
                return false;
        }
        return true;
    };
    bool changed = false;
    for (char32_t c : text.toUcs4()) {
        const KeySym symbol = KeySymOf(c);
        if (c < 0x20 || XKeysymToKeycode(display, symbol) != 0)
            continue;
        bool bound = false;
        for (int code = minCode; code <= maxCode && !bound; ++code) {
            if (!unused(code))
                continue;
            KeySym symbols[2] = {symbol, symbol};
            XChangeKeyboardMapping(display, code, 2, symbols, 1);
            map[(code - minCode) * perCode] = symbol;
            bound = true;
        }
        changed = changed || bound;
    }
    XFree(map);
    if (changed)
        XSync(display, False);
    return changed;
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
    return Xdo().get() != nullptr;
}

// libxdo decodes the text with the C library's multibyte functions, which follow the locale:
// under a plain "C" locale every non-ASCII character ("µ") would be dropped.
class Utf8CharacterLocale {
public:
    Utf8CharacterLocale() : m_utf8(newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
        if (m_utf8 != nullptr)
            m_previous = uselocale(m_utf8);
    }
    ~Utf8CharacterLocale() {
        if (m_utf8 == nullptr)
            return;
        uselocale(m_previous);
        freelocale(m_utf8);
    }
    Utf8CharacterLocale(const Utf8CharacterLocale&) = delete;
    Utf8CharacterLocale& operator=(const Utf8CharacterLocale&) = delete;

private:
    locale_t m_utf8;
    locale_t m_previous = nullptr;
};

bool TypeKeyStrokes(const QString& text) {
    const Utf8CharacterLocale characters;
    std::optional<Xdo> connection(std::in_place);
    if (connection->get() == nullptr)
        return false;
    // libxdo reads the key map when it connects: after a change it connects again.
    if (BindMissingCharacters(connection->get()->xdpy, text))
        connection.emplace();
    xdo_t* xdo = connection->get();
    if (xdo == nullptr)
        return false;
    // libxdo types a line feed as the Linefeed key, which programs do not take for Enter.
    const QStringList lines = text.split(u'\n');
    bool typed = true;
    for (qsizetype i = 0; i < lines.size() && typed; ++i) {
        if (i > 0)
            typed = xdo_send_keysequence_window(xdo, CURRENTWINDOW, "Return", KeyDelay) == 0;
        const QByteArray utf8 = lines[i].toUtf8();
        if (typed && !utf8.isEmpty())
            typed = xdo_enter_text_window(xdo, CURRENTWINDOW, utf8.constData(), KeyDelay) == 0;
    }
    XSync(xdo->xdpy, False);
    return typed;
}

bool ActivateWindowOfProcess(qint64 pid) {
    const Xdo connection;
    xdo_t* xdo = connection.get();
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
