#include "InstrumentSimulator.h"
#include "SimArguments.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <csignal>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

// Acts as one instrument until SIGINT or SIGTERM; the COM link is removed on the way out.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QString error;
    const std::optional<SimCommandLine> commandLine =
        ParseSimArguments(app.arguments().mid(1), &error);
    if (!commandLine) {
        err << "transfer-sim: " << error << "\n\n" << SimUsage();
        return 2;
    }
    if (commandLine->Help) {
        out << SimUsage();
        return 0;
    }

    if (::pipe(signalPipe) != 0) {
        err << "transfer-sim: no pipe for signals\n";
        return 1;
    }
    QSocketNotifier stopNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    InstrumentSimulator simulator;
    const QString device = simulator.start(commandLine->ModelCode, commandLine->Options);
    if (device.isEmpty()) {
        err << "transfer-sim: " << simulator.errorString() << '\n';
        return 1;
    }
    out << device << '\n';
    if (!simulator.linkPath().isEmpty())
        out << simulator.linkPath() << " -> " << device << '\n';
    out.flush();
    return app.exec();
}
