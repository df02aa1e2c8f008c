#include "ui/PortalKeyboard.h"

#include "core/KeyEventText.h"
#include "core/PortalProtocol.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QTimer>

namespace {

using namespace Portal;

const char* const ResponseSlot = SLOT(response(uint, QVariantMap, QDBusMessage));
const char* const ClosedSlot = SLOT(sessionClosed(QVariantMap, QDBusMessage));

QDBusMessage PortalCall(const QString& method, const QVariantList& arguments) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(Service, DesktopPath, RemoteDesktop, method);
    message.setArguments(arguments);
    return message;
}

QDBusMessage Close(const QString& path, const QString& interface) {
    return QDBusMessage::createMethodCall(Service, path, interface, QStringLiteral("Close"));
}

// Where the portal puts the request of the handle token given: the caller's unique name without
// its colon and with "_" for ".", so the answer can be listened for before the call.
QString RequestPath(const QString& uniqueName, const QString& token) {
    QString sender = uniqueName.mid(1);
    sender.replace(u'.', u'_');
    return DesktopPath + QStringLiteral("/request/") + sender + u'/' + token;
}

// The session handle is an object path, but xdg-desktop-portal sends it as a string.
QString PathOf(const QVariant& value) {
    return value.metaType() == QMetaType::fromType<QDBusObjectPath>()
               ? value.value<QDBusObjectPath>().path()
               : value.toString();
}

QVariant Path(const QString& path) {
    return QVariant::fromValue(QDBusObjectPath(path));
}

} // namespace

bool WaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qgetenv("XDG_SESSION_TYPE") == "wayland";
}

PortalKeyboard::PortalKeyboard(QObject* parent)
    : QObject(parent), m_bus(QDBusConnection::sessionBus()),
      m_watcher(new QDBusServiceWatcher(Service, m_bus, QDBusServiceWatcher::WatchForUnregistration,
                                        this)) {
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (m_step != Step::Closed)
            end(m_step == Step::Open ? PlatformServices::KeyboardEnd::Gone
                                     : PlatformServices::KeyboardEnd::Unavailable);
    });
}

PortalKeyboard::~PortalKeyboard() {
    close();
}

void PortalKeyboard::open(const QString& restoreToken, Started started, Ended ended) {
    if (m_step != Step::Closed)
        return;
    m_started = std::move(started);
    m_ended = std::move(ended);
    m_restoreToken = restoreToken;
    m_step = Step::Checking;
    if (!m_bus.isConnected()) {
        const quint32 generation = m_generation;
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == m_generation)
                end(PlatformServices::KeyboardEnd::Unavailable);
        });
        return;
    }
    QDBusMessage properties = QDBusMessage::createMethodCall(
        Service, DesktopPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("GetAll"));
    properties.setArguments({RemoteDesktop});
    call(properties, [this](const QDBusMessage& reply) {
        const QVariantMap values = qdbus_cast<QVariantMap>(reply.arguments().value(0));
        if ((values.value(QStringLiteral("AvailableDeviceTypes")).toUInt() & Keyboard) == 0) {
            end(PlatformServices::KeyboardEnd::Unavailable);
            return;
        }
        request(QStringLiteral("CreateSession"), {},
                {{QStringLiteral("session_handle_token"),
                  QStringLiteral("tavelin%1").arg(++m_handles)}},
                Step::Creating);
    });
}

void PortalKeyboard::close() {
    if (m_step != Step::Closed)
        reset();
}

bool PortalKeyboard::type(const QString& text) {
    if (m_step != Step::Open)
        return false;
    for (quint32 symbol : KeySymsOf(text)) {
        for (uint state : {Pressed, Released})
            m_keys.append({symbol, state});
    }
    sendKeys();
    return true;
}

void PortalKeyboard::sendKeys() {
    // The bus refuses a connection more than 128 calls awaiting their replies; a few values
    // with all their fields are more keys than that, so only a window of them is on the way.
    constexpr int MostInFlight = 32;
    const QVariant session = Path(m_session);
    while (m_keysInFlight < MostInFlight && !m_keys.isEmpty()) {
        const auto [symbol, state] = m_keys.takeFirst();
        ++m_keysInFlight;
        call(PortalCall(QStringLiteral("NotifyKeyboardKeysym"),
                        {session, QVariantMap(), static_cast<int>(symbol), state}),
             [this](const QDBusMessage&) {
                 --m_keysInFlight;
                 sendKeys();
             });
    }
}

void PortalKeyboard::request(const QString& method, QVariantList arguments, QVariantMap options,
                             Step step) {
    const QString token = QStringLiteral("tavelin%1").arg(++m_handles);
    options.insert(QStringLiteral("handle_token"), token);
    arguments << options;
    m_step = step;
    // The answer may come before the reply to the call.
    const QString expected = RequestPath(m_bus.baseService(), token);
    listen(expected);
    call(PortalCall(method, arguments), [this, expected](const QDBusMessage& reply) {
        // A portal older than handle tokens (2017) names the request itself, and may answer it
        // before this reply says where: its answer cannot be waited for.
        if (qdbus_cast<QDBusObjectPath>(reply.arguments().value(0)).path() != expected)
            end(PlatformServices::KeyboardEnd::Unavailable);
    });
}

void PortalKeyboard::call(const QDBusMessage& message,
                          std::function<void(const QDBusMessage&)> done) {
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    const quint32 generation = m_generation;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, generation, done = std::move(done)] {
                watcher->deleteLater();
                if (generation != m_generation)
                    return;
                const QDBusMessage reply = watcher->reply();
                if (reply.type() == QDBusMessage::ErrorMessage)
                    end(m_step == Step::Open ? PlatformServices::KeyboardEnd::Gone
                                             : PlatformServices::KeyboardEnd::Unavailable);
                else if (done)
                    done(reply);
            });
}

void PortalKeyboard::listen(const QString& requestPath) {
    stopListening();
    m_request = requestPath;
    m_bus.connect(Service, m_request, Request, QStringLiteral("Response"), this, ResponseSlot);
}

void PortalKeyboard::stopListening() {
    if (m_request.isEmpty())
        return;
    m_bus.disconnect(Service, m_request, Request, QStringLiteral("Response"), this, ResponseSlot);
    m_request.clear();
}

void PortalKeyboard::response(uint code, const QVariantMap& results, const QDBusMessage& message) {
    if (message.path() != m_request)
        return;
    stopListening();
    if (code != Success) {
        end(code == Cancelled ? PlatformServices::KeyboardEnd::Refused
                              : PlatformServices::KeyboardEnd::Unavailable);
        return;
    }
    switch (m_step) {
    case Step::Creating: {
        m_session = PathOf(results.value(QStringLiteral("session_handle")));
        m_bus.connect(Service, m_session, Session, QStringLiteral("Closed"), this, ClosedSlot);
        QVariantMap options{{QStringLiteral("types"), Keyboard},
                            {QStringLiteral("persist_mode"), PersistUntilRevoked}};
        if (!m_restoreToken.isEmpty())
            options.insert(QStringLiteral("restore_token"), m_restoreToken);
        request(QStringLiteral("SelectDevices"), {Path(m_session)}, options, Step::Selecting);
        break;
    }
    case Step::Selecting:
        request(QStringLiteral("Start"), {Path(m_session), QString()}, {}, Step::Starting);
        break;
    case Step::Starting:
        // The user may allow the session but not its keyboard.
        if ((results.value(QStringLiteral("devices")).toUInt() & Keyboard) == 0) {
            end(PlatformServices::KeyboardEnd::Refused);
            break;
        }
        m_step = Step::Open;
        m_started(results.value(QStringLiteral("restore_token")).toString());
        break;
    default:
        break;
    }
}

void PortalKeyboard::sessionClosed(const QVariantMap&, const QDBusMessage& message) {
    if (message.path() == m_session && m_step != Step::Closed)
        end(m_step == Step::Open ? PlatformServices::KeyboardEnd::Gone
                                 : PlatformServices::KeyboardEnd::Unavailable);
}

void PortalKeyboard::end(PlatformServices::KeyboardEnd why) {
    const Ended ended = std::move(m_ended);
    reset();
    if (ended)
        ended(why);
}

void PortalKeyboard::reset() {
    // A question still open on the desktop goes with the session.
    if (!m_request.isEmpty())
        m_bus.asyncCall(Close(m_request, Request));
    stopListening();
    if (!m_session.isEmpty()) {
        m_bus.disconnect(Service, m_session, Session, QStringLiteral("Closed"), this, ClosedSlot);
        m_bus.asyncCall(Close(m_session, Session));
        m_session.clear();
    }
    m_step = Step::Closed;
    m_started = nullptr;
    m_ended = nullptr;
    m_restoreToken.clear();
    m_keys.clear();
    m_keysInFlight = 0;
    ++m_generation;
}
