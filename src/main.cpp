#include "app/SingleInstance.h"
#include "app/frmTransfer.h"
#include "ui/QtPlatformServices.h"

#include <QApplication>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavelin"));
    QtPlatformServices platform;

    SingleInstance instance(QStandardPaths::writableLocation(QStandardPaths::TempLocation));
    switch (instance.start()) {
    case SingleInstance::Outcome::First:
        break;
    case SingleInstance::Outcome::HandedOver:
        std::fputs("The transfer program is already running; its window was brought to the "
                   "front.\n",
                   stderr);
        return 0;
    case SingleInstance::Outcome::Unreachable:
        // The language settings are not read yet, so the box speaks both languages.
        std::fputs("The transfer program is already running.\n", stderr);
        platform.messageBox(QStringLiteral("Das Programm läuft bereits.\n"
                                           "The program is already running."),
                            PlatformServices::Buttons::Ok, PlatformServices::Icon::Information,
                            QStringLiteral("Tavelin"));
        return 0;
    }

    frmTransfer window(platform, QCoreApplication::applicationDirPath());
    QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                     &frmTransfer::bringToFront);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
