#pragma once

#include <QDateTime>
#include <QString>
#include <array>

// The values kept in the settings files between runs. Limits live in their own record (Limits.h).
struct AppSettings {
    QString ModelCode;
    QString BrandCode;
    QString BrandName;
    QString BrandTitle;
    QString COMPortNummer;
    bool KeyEventsEnabled = false;
    QString KeyEventApp;
    QString KeyEventFields;
    QString KeyEventLineEnd;
    qint16 LanguageIndex = 0;
    std::array<QString, 6> ProjectFieldLabels;
    std::array<QString, 6> ProjectFields;
    QDateTime ProjectDate;
};
