#include "app/InstalledProgram.h"

#include <QDir>
#include <QFile>

InstalledProgram::InstalledProgram(const QString& modelCode) {
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
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home() + QStringLiteral("/config"));
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), home() + QStringLiteral("/data"));
}

QString InstalledProgram::settingsFolder() const {
    return home() + QStringLiteral("/config/Tavelin/Delta-Pro DIVEDADE");
}

QString InstalledProgram::logText() const {
    QFile log(settingsFolder() + QStringLiteral("/Tavelin_TransferLog.txt"));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

void InstalledProgram::start(QProcess& process) const {
    process.setProcessEnvironment(m_environment);
    process.start(m_program, {});
}
