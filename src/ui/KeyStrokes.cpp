#include "ui/KeyStrokes.h"

#include <QByteArray>
#include <cstdlib>

// xdo.h has no extern "C" guard and defines Xlib macros that clash with Qt: keep it here alone.
extern "C" {
#include <X11/Xlib.h>
#include <xdo.h>
}

namespace {

int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

struct Xdo {
    xdo_t* handle = nullptr;
    Xdo() {
        if (std::getenv("DISPLAY") == nullptr)
            return;
        XSetErrorHandler(IgnoreXError);
        handle = xdo_new(nullptr);
    }
    ~Xdo() {
        if (handle != nullptr)
            xdo_free(handle);
    }
};

} // namespace

bool TypeKeyStrokes(const QString& text) {
    Xdo xdo;
    if (xdo.handle == nullptr)
        return false;
    const QByteArray utf8 = text.toUtf8();
    return xdo_enter_text_window(xdo.handle, CURRENTWINDOW, utf8.constData(), 12000) == 0;
}

bool ActivateWindowOfProcess(qint64 pid) {
    Xdo xdo;
    if (xdo.handle == nullptr || pid <= 0)
        return false;
    xdo_search_t search{};
    search.pid = static_cast<int>(pid);
    search.searchmask = SEARCH_PID;
    search.require = xdo_search::SEARCH_ANY;
    search.max_depth = -1;
    Window* windows = nullptr;
    unsigned int count = 0;
    if (xdo_search_windows(xdo.handle, &search, &windows, &count) != 0 || count == 0) {
        std::free(windows);
        return false;
    }
    const bool ok = xdo_activate_window(xdo.handle, windows[0]) == 0;
    std::free(windows);
    return ok;
}
