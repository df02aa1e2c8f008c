#pragma once

#include "sim/PrivateBus.h"

#include <QDBusMessage>
#include <QProcess>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

// The private D-Bus bus of a test program that talks to simulated services in processes of their
// own: started once before the first test, standing in for the system or the session bus.
enum class BusRole { System, Session };

// Adds the environment that starts the bus; call once, at namespace scope, in the test program.
::testing::Environment* UsePrivateBus(BusRole role);
// Null where dbus-daemon is missing or the bus did not start; BusProblem() says why.
PrivateBus* SimulatorBus();
QString BusProblem();

// Starts the simulator program on the bus with the options given (beyond --bus) and waits for
// its "ready" line; false when that did not come.
bool StartSimulator(QProcess& process, const QString& program, const QStringList& options);
// Calls a method of a simulator's control object "/org/tavelin/simulator" and returns the reply.
QDBusMessage CallSimulator(const QString& service, const QString& interface, const QString& method,
                           const QVariantList& arguments);

// Lets events run until done() holds or limitMs passes; false on time-out.
bool WaitFor(const std::function<bool()>& done, int limitMs = 10000);
