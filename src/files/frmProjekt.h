#pragma once

#include "core/AppSettings.h"
#include "core/ProjectDataCache.h"
#include "core/ReportText.h"
#include "core/SettingsOutcome.h"

#include <QDialog>
#include <QString>
#include <array>
#include <functional>

class PlatformServices;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class TextTable;

// What the project dialog needs of the main window.
struct ProjektContext {
    AppSettings& Settings;  // labels, field texts, date and the language
    QString SettingsFolder; // Projektdaten.ini
    QString MessDataFolder; // Projekt.ini
    const TextTable& Texts;
    PlatformServices& Platform;
    std::function<QString()> ProgramTitle; // title of message boxes
    std::function<void(const QString&)> WriteLog;
    // A failed reading of the saved data ("PL"), which every report and so every online value
    // asks for: shown and logged by the caller, so that a run of them opens no box over another.
    // Without it the dialog shows its own box.
    std::function<void(const QString&)> ShowReadFailure;
    // The project data as the dialog holds it, each time it changed: the report's header.
    std::function<void(const ReportProject&)> ProjectChanged;
};

// The project data: six labelled texts, a date and a time for the header of a report. The
// controls hold the data; the field texts and the date are kept in AppSettings as they change.
// Created once and kept for the run; shown without blocking the main window.
class frmProjekt : public QDialog {
    Q_OBJECT
public:
    explicit frmProjekt(ProjektContext context, QWidget* parent = nullptr);

    // Settings actions on the controls. A failure is shown in a message box and logged; what was
    // read before it stays.
    void ReadLabels(); // "PI": captions of the six labels from Projekt.ini, current language
    void LoadData();   // "PL": field texts and date from Projektdaten.ini, read when it changed
    void SaveData();   // "PS": field texts and date to Projektdaten.ini

    // Shows what AppSettings holds, for when the settings were read elsewhere.
    void ShowSettings();
    // Captions of the dialog in the current language.
    void ApplyCaptions();
    // The header of a report as the controls show it.
    ReportProject reportProject() const;

    void cmdSpeichern_Click();
    void cmdLoeschen_Click();

    QGroupBox* frmRahmen = nullptr;
    std::array<QLabel*, 6> lblFelder{};
    std::array<QLineEdit*, 6> txtFelder{};
    QLabel* lblDtp = nullptr;
    QDateEdit* DTPDate = nullptr;
    QTimeEdit* DTPTime = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdSpeichern = nullptr;
    QPushButton* cmdLoeschen = nullptr;

protected:
    // Each time the dialog is shown: captions, and a date or time never set becomes now.
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void publish();
    void showDate(const QDate& date);
    QDateTime pickerDateTime() const;
    void reportFailure(const QString& aktion, const SettingsOutcome& outcome);

    ProjektContext m_context;
    ProjectDataCache m_savedData;
    bool m_showingDate = false;
};
