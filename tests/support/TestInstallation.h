#pragma once

#include "app/frmTransfer.h"
#include "support/FakePlatformServices.h"

#include <QTemporaryDir>
#include <memory>

// A throw-away installation: a program folder with the pictures and a Konfi.ini, and private
// configuration and data folders, so tests never touch the user's own settings.
class TestInstallation {
public:
    explicit TestInstallation(const QString& konfiText = QStringLiteral("DP\r\n"));

    QString programFolder() const { return m_root.filePath(QStringLiteral("program")); }
    QString configHome() const { return m_root.filePath(QStringLiteral("config")); }
    QString dataHome() const { return m_root.filePath(QStringLiteral("data")); }
    void writeKonfi(const QString& text) const;
    void removeKonfi() const;

    // A main window over this installation, started as the program starts it.
    std::unique_ptr<frmTransfer> start();
    // The same window with a scripted instrument link instead of a port (see ScriptedLink).
    std::unique_ptr<frmTransfer> startScripted();
    // The same window over the link made for it, which may use the window's state.
    std::unique_ptr<frmTransfer>
    startWith(const std::function<InstrumentLink*(frmTransfer&)>& link);

    FakePlatformServices platform;

private:
    QTemporaryDir m_root;
};

QString ReadText(const QString& path);
void WriteText(const QString& path, const QString& text);
