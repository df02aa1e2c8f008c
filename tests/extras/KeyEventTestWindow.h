#pragma once

#include "support/TestInstallation.h"

#include <QDir>
#include <gtest/gtest.h>

// The main window of a fresh installation whose Tastatur.ini holds the given line.
class KeyEventWindow : public ::testing::Test {
protected:
    void begin(const QString& tastaturLine = {}) {
        appData = install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
        QDir().mkpath(appData);
        if (!tastaturLine.isNull())
            WriteText(appData + QStringLiteral("/Tastatur.ini"),
                      tastaturLine + QStringLiteral("\r\n"));
        w = install.startScripted();
    }
    QString tastaturIni() const { return ReadText(appData + QStringLiteral("/Tastatur.ini")); }
    QString log() const { return ReadText(appData + QStringLiteral("/Tavelin_TransferLog.txt")); }
    FakePlatformServices& platform() { return install.platform; }

    TestInstallation install;
    QString appData;
    std::unique_ptr<frmTransfer> w;
};
