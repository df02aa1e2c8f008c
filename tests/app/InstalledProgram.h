#pragma once

#include <QProcess>
#include <QTemporaryDir>

// The real program copied into a throw-away installation (beside it the pictures and a
// Konfi.ini, as an installed program has them), started with a private home and temp folder.
class InstalledProgram {
public:
    explicit InstalledProgram(const QString& modelCode = QStringLiteral("DP"));

    QString home() const { return m_home.path(); }
    QString settingsFolder() const;
    QString logText() const;
    QProcessEnvironment& environment() { return m_environment; }
    void start(QProcess& process) const;

private:
    QTemporaryDir m_home;
    QString m_program;
    QProcessEnvironment m_environment;
};
