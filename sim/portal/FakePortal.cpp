#include "FakePortal.h"

#include "core/PortalProtocol.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QTimer>

namespace {

using Portal::Cancelled;
using Portal::DesktopPath;
using Portal::Keyboard;
using Portal::PersistUntilRevoked;
using Portal::RemoteDesktop;
using Portal::Request;
using Portal::Success;

const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString SimulatorPath = QStringLiteral("/org/tavelin/simulator");
const QString Simulator = QStringLiteral("org.tavelin.PortalSimulator");

QVariantMap OptionsOf(const QVariant& argument) {
    return qdbus_cast<QVariantMap>(argument);
}

QString PathOf(const QVariant& argument) {
    return qdbus_cast<QDBusObjectPath>(argument).path();
}

// As the real portal names a caller's objects: its unique name without the colon, "_" for ".".
QString ObjectPath(const QString& kind, const QString& sender, const QString& token) {
    QString caller = sender.mid(1);
    caller.replace(u'.', u'_');
    return DesktopPath + u'/' + kind + u'/' + caller + u'/' + token;
}

} // namespace

FakePortal::FakePortal(const Options& options, QObject* parent)
    : BusService(parent), m_options(options) {}

bool FakePortal::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
    const QString path = message.path();
    if (path == SimulatorPath)
        return handleSimulator(message);
    if (path == DesktopPath)
        return handleRemoteDesktop(message);
    if (message.interface() == Portal::Session && message.member() == QLatin1String("Close")) {
        if (m_sessions.value(path).Owner != message.service()) {
            fail(message, QStringLiteral("no such session"));
            return true;
        }
        m_calls << QStringLiteral("Close");
        m_sessions.remove(path);
        reply(message);
        return true;
    }
    if (message.interface() == Request && message.member() == QLatin1String("Close")) {
        reply(message);
        return true;
    }
    return false;
}

bool FakePortal::handleRemoteDesktop(const QDBusMessage& message) {
    const QString member = message.member();
    const QList<QVariant> arguments = message.arguments();
    if (message.interface() == Properties) {
        if (arguments.value(0).toString() != RemoteDesktop)
            return false;
        const QVariantMap values{{QStringLiteral("AvailableDeviceTypes"), m_options.DeviceTypes},
                                 {QStringLiteral("version"), 2u}};
        if (member == QLatin1String("GetAll"))
            reply(message, {values});
        else if (member == QLatin1String("Get") && values.contains(arguments.value(1).toString()))
            reply(message,
                  {QVariant::fromValue(QDBusVariant(values.value(arguments.value(1).toString())))});
        else
            return false;
        return true;
    }
    if (message.interface() != RemoteDesktop)
        return false;
    if (member == QLatin1String("CreateSession")) {
        m_calls << QStringLiteral("CreateSession");
        const QVariantMap options = OptionsOf(arguments.value(0));
        const QString path =
            ObjectPath(QStringLiteral("session"), message.service(),
                       options.value(QStringLiteral("session_handle_token")).toString());
        m_sessions[path].Owner = message.service();
        // xdg-desktop-portal sends the handle as a string, not as the object path it names.
        answer(message, options, Success, {{QStringLiteral("session_handle"), path}});
    } else if (member == QLatin1String("SelectDevices")) {
        select(message);
    } else if (member == QLatin1String("Start")) {
        startSession(message);
    } else if (member == QLatin1String("NotifyKeyboardKeysym")) {
        notifyKeysym(message);
    } else {
        return false;
    }
    return true;
}

FakePortal::Session* FakePortal::sessionOf(const QDBusMessage& message) {
    const auto found = m_sessions.find(PathOf(message.arguments().value(0)));
    if (found == m_sessions.end() || found->Owner != message.service()) {
        fail(message, QStringLiteral("no such session"));
        return nullptr;
    }
    return &*found;
}

void FakePortal::select(const QDBusMessage& message) {
    Session* session = sessionOf(message);
    if (session == nullptr)
        return;
    const QVariantMap options = OptionsOf(message.arguments().value(1));
    session->Types = options.value(QStringLiteral("types"), m_options.DeviceTypes).toUInt();
    session->PersistMode = options.value(QStringLiteral("persist_mode")).toUInt();
    session->RestoreToken = options.value(QStringLiteral("restore_token")).toString();
    m_calls << QStringLiteral("SelectDevices types=%1 persist=%2 restore=%3")
                   .arg(session->Types)
                   .arg(session->PersistMode)
                   .arg(session->RestoreToken);
    answer(message, options, Success, {});
}

void FakePortal::startSession(const QDBusMessage& message) {
    Session* session = sessionOf(message);
    if (session == nullptr)
        return;
    const QVariantMap options = OptionsOf(message.arguments().value(2));
    // A token opens the session once; the start hands out the next one.
    const bool restored = m_tokens.remove(session->RestoreToken);
    if (!restored && m_options.Refuse) {
        m_calls << QStringLiteral("Start asked refused");
        m_sessions.remove(PathOf(message.arguments().value(0)));
        answer(message, options, Cancelled, {});
        return;
    }
    m_calls << (restored ? QStringLiteral("Start restored") : QStringLiteral("Start asked"));
    session->Started = true;
    QVariantMap results{{QStringLiteral("devices"), session->Types & m_options.DeviceTypes}};
    if (session->PersistMode == PersistUntilRevoked) {
        const QString token = QStringLiteral("token-%1").arg(++m_tokenCount);
        m_tokens.insert(token);
        results.insert(QStringLiteral("restore_token"), token);
    }
    answer(message, options, Success, results);
}

void FakePortal::notifyKeysym(const QDBusMessage& message) {
    const Session* session = sessionOf(message);
    if (session == nullptr)
        return;
    if (!session->Started || (session->Types & Keyboard) == 0) {
        fail(message, QStringLiteral("the session has no keyboard"));
        return;
    }
    const QList<QVariant> arguments = message.arguments();
    m_calls << QStringLiteral("Keysym 0x%1 %2")
                   .arg(arguments.value(2).toInt(), 0, 16)
                   .arg(arguments.value(3).toUInt() == 1 ? QStringLiteral("pressed")
                                                         : QStringLiteral("released"));
    reply(message);
}

void FakePortal::answer(const QDBusMessage& message, const QVariantMap& options, uint code,
                        const QVariantMap& results) {
    const QString token = m_options.OwnRequestNames
                              ? QStringLiteral("request%1").arg(++m_requestCount)
                              : options.value(QStringLiteral("handle_token")).toString();
    const QString path = ObjectPath(QStringLiteral("request"), message.service(), token);
    QDBusMessage response = QDBusMessage::createTargetedSignal(message.service(), path, Request,
                                                               QStringLiteral("Response"));
    response << code << results;
    if (m_options.AnswerFirst) {
        m_bus.send(response);
        reply(message, {QVariant::fromValue(QDBusObjectPath(path))});
        return;
    }
    reply(message, {QVariant::fromValue(QDBusObjectPath(path))});
    QTimer::singleShot(0, this, [this, response] { m_bus.send(response); });
}

void FakePortal::closeSessions() {
    for (auto it = m_sessions.cbegin(); it != m_sessions.cend(); ++it) {
        QDBusMessage closed = QDBusMessage::createTargetedSignal(
            it->Owner, it.key(), Portal::Session, QStringLiteral("Closed"));
        closed << QVariantMap();
        m_bus.send(closed);
    }
    m_sessions.clear();
}

void FakePortal::fail(const QDBusMessage& message, const QString& text) {
    BusService::fail(message, QStringLiteral("org.freedesktop.portal.Error.Failed"), text);
}

bool FakePortal::handleSimulator(const QDBusMessage& message) {
    if (message.interface() != Simulator)
        return false;
    const QString member = message.member();
    if (member == QLatin1String("Calls")) {
        reply(message, {m_calls});
        return true;
    }
    if (member == QLatin1String("SetRefuse"))
        m_options.Refuse = message.arguments().value(0).toBool();
    else if (member == QLatin1String("CloseSessions"))
        closeSessions();
    else
        return false;
    reply(message);
    return true;
}
