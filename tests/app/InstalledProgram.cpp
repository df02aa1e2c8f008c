#include "app/InstalledProgram.h"

#include "core/DeviceInfo.h"

#include <QDir>
#include <QFile>

InstalledProgram::InstalledProgram(const QString& modelCode)
    : m_modelTitle(ProfileForModel(modelCode).Title) {
    const QDir folder(m_home.filePath(QStringLiteral("program")));
    QDir().mkpath(folder.path());
    m_program = folder.filePath(QStringLiteral("tavelin-transfer"));
    QFile::copy(QStringLiteral(TRANSFER_PROGRAM), m_program);
    const QDir resources(QStringLiteral(TRANSFER_SOURCE_DIR "/resources"));
    for (const QString& name :
         resources.entryList({QStringLiteral("*.gif"), QStringLiteral("*.jpg")}))
        QFile::copy(resources.filePath(name), folder.filePath(name));
    QFile konfi(folder.filePath(QStringLiteral("Konfi.ini")));
    if (konfi.open(QIODevice::WriteOnly))
        konfi.write(modelCode.toLatin1() + "\r\n");

    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_environment.insert(QStringLiteral("HOME"), home());
    m_environment.insert(QStringLiteral("TMPDIR"), home());
    QDir().mkpath(runtimeFolder());
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home() + QStringLiteral("/config"));
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), home() + QStringLiteral("/data"));
}

QString InstalledProgram::settingsFolder() const {
    return m_environment.value(QStringLiteral("XDG_CONFIG_HOME")) + QStringLiteral("/Tavelin/") +
           m_modelTitle;
}

QString InstalledProgram::logText() const {
    QFile log(settingsFolder() + QStringLiteral("/Tavelin_TransferLog.txt"));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

void InstalledProgram::start(QProcess& process) const {
    process.setProcessEnvironment(m_environment);
    process.start(m_program, {});
}

void InstalledProgram::shareHomeWith(const InstalledProgram& other) {
    for (const char* name :
         {"HOME", "TMPDIR", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        const QString key = QString::fromLatin1(name);
        m_environment.insert(key, other.m_environment.value(key));
    }
}
