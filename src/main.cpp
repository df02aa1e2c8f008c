#include "app/SingleInstance.h"
#include "app/frmTransfer.h"
#include "core/Installation.h"
#include "core/SettingsFiles.h"
#include "ui/QtPlatformServices.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavelin"));
    QtPlatformServices platform;

    // Each installation (model) runs once per user; the window reports a Konfi.ini it cannot read.
    AppSettings konfi;
    ReadKonfi(QCoreApplication::applicationDirPath(), konfi);
    SingleInstance instance(SingleInstanceFolder(), NamesOf(konfi).ModelTitle);
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
