#include "support/TestInstallation.h"

#include "support/ScriptedLink.h"

#include <QDir>
#include <QFile>

TestInstallation::TestInstallation(const QString& konfiText) {
    QDir root(m_root.path());
    root.mkpath(QStringLiteral("program"));
    root.mkpath(QStringLiteral("config"));
    root.mkpath(QStringLiteral("data"));
    const QDir resources(QStringLiteral(TRANSFER_SOURCE_DIR "/resources"));
    for (const QString& name :
         resources.entryList({QStringLiteral("*.gif"), QStringLiteral("*.jpg")}))
        QFile::copy(resources.filePath(name), QDir(programFolder()).filePath(name));
    writeKonfi(konfiText);
    qputenv("XDG_CONFIG_HOME", configHome().toUtf8());
    qputenv("XDG_DATA_HOME", dataHome().toUtf8());
}

void TestInstallation::writeKonfi(const QString& text) const {
    WriteText(QDir(programFolder()).filePath(QStringLiteral("Konfi.ini")), text);
}

void TestInstallation::removeKonfi() const {
    QFile::remove(QDir(programFolder()).filePath(QStringLiteral("Konfi.ini")));
}

std::unique_ptr<frmTransfer> TestInstallation::start() {
    auto window = std::make_unique<frmTransfer>(platform, programFolder());
    window->Form_Load();
    return window;
}

std::unique_ptr<frmTransfer> TestInstallation::startScripted() {
    return startWith([](frmTransfer&) { return new ScriptedLink; });
}

std::unique_ptr<frmTransfer>
TestInstallation::startWith(const std::function<InstrumentLink*(frmTransfer&)>& link) {
    auto window = std::make_unique<frmTransfer>(platform, programFolder());
    window->useLink(link(*window));
    window->Form_Load();
    return window;
}

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void WriteText(const QString& path, const QString& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}
