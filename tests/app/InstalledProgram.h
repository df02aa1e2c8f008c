#pragma once

#include <QProcess>
#include <QTemporaryDir>

// The real program copied into a throw-away installation (beside it the pictures and a
// Konfi.ini, as an installed program has them), started with a private home, runtime and temp
// folder.
class InstalledProgram {
public:
    explicit InstalledProgram(const QString& modelCode = QStringLiteral("DP"));

    QString home() const { return m_home.path(); }
    QString runtimeFolder() const { return home() + QStringLiteral("/runtime"); }
    QString settingsFolder() const;
    QString logText() const;
    QProcessEnvironment& environment() { return m_environment; }
    void start(QProcess& process) const;
    // The same user starting another installation: home, folders and temp folder of `other`.
    void shareHomeWith(const InstalledProgram& other);

private:
    QTemporaryDir m_home;
    QString m_program;
    QString m_modelTitle;
    QProcessEnvironment m_environment;
};
