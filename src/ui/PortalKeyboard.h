#pragma once

#include "platform/PlatformServices.h"

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QPair>
#include <QVariantMap>
#include <functional>

class QDBusMessage;
class QDBusServiceWatcher;

// Whether this desktop session is a Wayland one, where X11 reaches only XWayland programs.
bool WaylandSession();

// The keyboard of a Wayland desktop's remote-desktop portal on the session bus: a session is
// created, given the keyboard (kept until the user revokes it, so that a restore token opens it
// again without asking) and started, which may ask the user; then each character is a keysym
// pressed and released. The portal answers each request with a Response signal of its request
// object: every step runs from the event loop, nothing waits.
class PortalKeyboard : public QObject {
    Q_OBJECT
public:
    using Started = std::function<void(const QString& token)>;
    using Ended = std::function<void(PlatformServices::KeyboardEnd)>;

    explicit PortalKeyboard(QObject* parent = nullptr);
    ~PortalKeyboard() override;

    // As PlatformServices::openKeyboard().
    void open(const QString& restoreToken, Started started, Ended ended);
    void close();
    bool isOpen() const { return m_step == Step::Open; }
    // Hands the keysyms of the text to the portal, each pressed and released, in order.
    bool type(const QString& text);

private slots:
    void response(uint code, const QVariantMap& results, const QDBusMessage& message);
    void sessionClosed(const QVariantMap& details, const QDBusMessage& message);

private:
    enum class Step { Closed, Checking, Creating, Selecting, Starting, Open };

    void request(const QString& method, QVariantList arguments, QVariantMap options, Step step);
    void call(const QDBusMessage& message, std::function<void(const QDBusMessage&)> done);
    void listen(const QString& requestPath);
    void stopListening();
    void end(PlatformServices::KeyboardEnd why);
    void reset();
    void sendKeys();

    QDBusConnection m_bus;
    QDBusServiceWatcher* m_watcher;
    Step m_step = Step::Closed;
    QString m_request; // the request whose Response is awaited
    QString m_session;
    QString m_restoreToken;
    Started m_started;
    Ended m_ended;
    quint32 m_handles = 0;    // request names of this run
    quint32 m_generation = 0; // answers of an earlier session are dropped
    // Keysyms with their press or release state, not yet handed to the bus.
    QList<QPair<quint32, uint>> m_keys;
    int m_keysInFlight = 0;
};
