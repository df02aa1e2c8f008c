#include "app/frmTransfer.h"
#include "ui/QtPlatformServices.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavelin"));

    // One running instance per user: a second start ends without a window.
    const QString lockFolder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    QLockFile lock(QDir(lockFolder).filePath(QStringLiteral("tavelin-transfer.lock")));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        std::fputs("The transfer program is already running.\n", stderr);
        return 0;
    }

    QtPlatformServices platform;
    frmTransfer window(platform, QCoreApplication::applicationDirPath());
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
