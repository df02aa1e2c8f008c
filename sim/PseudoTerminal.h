#pragma once

#include <QString>

// A pseudo-terminal pair in raw mode. The instrument side is the master; programs open the
// device path as a serial port. The slave stays open here too, so the master never reads an
// error while no program has the port open.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // False with errorString() set when the system gives no pseudo-terminal.
    bool open();
    // Closing the master hangs up every program that has the port open, as unplugging does.
    void close();

    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    QString devicePath() const { return m_devicePath; }
    QString errorString() const { return m_error; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_devicePath;
    QString m_error;
};
