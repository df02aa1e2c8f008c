#pragma once

#include "sim/BusService.h"

#include <QMap>
#include <QSet>
#include <QStringList>

// A Wayland desktop's remote-desktop portal, as far as a program typing through it uses it:
// "org.freedesktop.portal.Desktop" with org.freedesktop.portal.RemoteDesktop at
// /org/freedesktop/portal/desktop, its request objects, which answer with Response signals after
// the reply to the call, and its session objects. It records every call and every keysym with
// its state, can refuse the start as a user would, hands out restore tokens, and starts a
// session whose token it gave out without asking.
//
// The object "/org/tavelin/simulator" (interface org.tavelin.PortalSimulator) steers it: Calls
// (what was called, in order), SetRefuse(b), CloseSessions (the desktop ends every session).
class FakePortal : public BusService {
    Q_OBJECT
public:
    struct Options {
        uint DeviceTypes = 7; // keyboard, pointer, touchscreen
        bool Refuse = false;
        // Each request is answered before the call is replied to, as a client may see it.
        bool AnswerFirst = false;
        // Requests get names of the portal's own, as before handle tokens.
        bool OwnRequestNames = false;
    };

    explicit FakePortal(const Options& options, QObject* parent = nullptr);

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    struct Session {
        QString Owner;
        uint Types = 0;
        uint PersistMode = 0;
        QString RestoreToken;
        bool Started = false;
    };

    bool handleRemoteDesktop(const QDBusMessage& message);
    bool handleSimulator(const QDBusMessage& message);
    // Replies with the request's path and answers on it.
    void answer(const QDBusMessage& message, const QVariantMap& options, uint code,
                const QVariantMap& results);
    void fail(const QDBusMessage& message, const QString& text);
    // The session named in the call, when the caller owns it; null after a failure reply.
    Session* sessionOf(const QDBusMessage& message);
    void select(const QDBusMessage& message);
    void startSession(const QDBusMessage& message);
    void notifyKeysym(const QDBusMessage& message);
    void closeSessions();

    Options m_options;
    QMap<QString, Session> m_sessions; // by path
    QSet<QString> m_tokens;            // handed out and not used yet
    int m_tokenCount = 0;
    int m_requestCount = 0;
    QStringList m_calls;
};
