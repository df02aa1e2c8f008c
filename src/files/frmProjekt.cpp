#include "files/frmProjekt.h"

#include "core/SettingsFiles.h"
#include "core/SettingsMessages.h"
#include "core/TextTable.h"
#include "platform/PlatformServices.h"
#include "ui/Named.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

constexpr int SaveCaption = 43;
constexpr int DeleteCaption = 44;
constexpr int TitleMessage = 14;
constexpr int CommandsMessage = 21;
constexpr int ProjectDataMessage = 38;
constexpr int DateTimeMessage = 46;

// The date picker's value before anything has set it.
const QDate UnsetDate(1899, 1, 1);

QString FourDigitYearFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

} // namespace

frmProjekt::frmProjekt(ProjektContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
    setObjectName(QStringLiteral("frmProjekt"));
    buildControls();
    ShowSettings();
    ApplyCaptions();
    // Every later change is published as it happens.
    connect(DTPDate, &QDateEdit::dateChanged, this, &frmProjekt::publish);
    connect(DTPTime, &QTimeEdit::timeChanged, this, &frmProjekt::publish);
    for (QLineEdit* field : txtFelder)
        connect(field, &QLineEdit::textChanged, this, &frmProjekt::publish);
    publish();
}

void frmProjekt::publish() {
    if (m_context.ProjectChanged)
        m_context.ProjectChanged(reportProject());
}

void frmProjekt::buildControls() {
    auto* outer = new QVBoxLayout(this);

    frmRahmen = Named(new QGroupBox(this), QStringLiteral("frmRahmen"));
    auto* fields = new QGridLayout(frmRahmen);
    for (int i = 0; i < 6; ++i) {
        const QString index = QString::number(i + 1);
        lblFelder[i] = Named(new QLabel(QStringLiteral("Label"), frmRahmen),
                             QStringLiteral("lblFelder") + index);
        txtFelder[i] = Named(new QLineEdit(frmRahmen), QStringLiteral("txtFelder") + index);
        txtFelder[i]->setMinimumWidth(260);
        fields->addWidget(lblFelder[i], i, 0);
        fields->addWidget(txtFelder[i], i, 1, 1, 2);
        connect(txtFelder[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { m_context.Settings.ProjectFields[i] = text; });
    }
    lblDtp = Named(new QLabel(frmRahmen), QStringLiteral("lblDtp"));
    DTPDate = Named(new QDateEdit(frmRahmen), QStringLiteral("DTPDate"));
    DTPDate->setDisplayFormat(FourDigitYearFormat());
    DTPDate->setCalendarPopup(true);
    DTPDate->setMinimumDate(UnsetDate);
    DTPTime = Named(new QTimeEdit(frmRahmen), QStringLiteral("DTPTime"));
    DTPTime->setDisplayFormat(QStringLiteral("HH:mm"));
    fields->addWidget(lblDtp, 6, 0);
    fields->addWidget(DTPDate, 6, 1);
    fields->addWidget(DTPTime, 6, 2);
    outer->addWidget(frmRahmen);

    connect(DTPDate, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (m_showingDate)
            return;
        QDateTime& projectDate = m_context.Settings.ProjectDate;
        // The picker edits the date; a time of day that came with the value stays.
        projectDate = QDateTime(date, projectDate.isValid() ? projectDate.time() : QTime(0, 0));
    });

    Frame1 = Named(new QGroupBox(this), QStringLiteral("Frame1"));
    auto* buttons = new QHBoxLayout(Frame1);
    cmdSpeichern = Named(new QPushButton(Frame1), QStringLiteral("cmdSpeichern"));
    cmdLoeschen = Named(new QPushButton(Frame1), QStringLiteral("cmdLoeschen"));
    buttons->addWidget(cmdSpeichern);
    buttons->addWidget(cmdLoeschen);
    outer->addWidget(Frame1);

    connect(cmdSpeichern, &QPushButton::clicked, this, &frmProjekt::cmdSpeichern_Click);
    connect(cmdLoeschen, &QPushButton::clicked, this, &frmProjekt::cmdLoeschen_Click);
}

void frmProjekt::ApplyCaptions() {
    const TextTable& texts = m_context.Texts;
    const int language = m_context.Settings.LanguageIndex;
    cmdSpeichern->setText(texts.caption(language, SaveCaption));
    cmdLoeschen->setText(texts.caption(language, DeleteCaption));
    frmRahmen->setTitle(texts.message(language, ProjectDataMessage));
    lblDtp->setText(texts.message(language, DateTimeMessage));
    setWindowTitle(texts.message(language, TitleMessage));
    Frame1->setTitle(texts.message(language, CommandsMessage));
}

void frmProjekt::ShowSettings() {
    const AppSettings& settings = m_context.Settings;
    for (std::size_t i = 0; i < lblFelder.size(); ++i) {
        // A caption that Projekt.ini never gave keeps the label's own text.
        if (!settings.ProjectFieldLabels[i].isEmpty())
            lblFelder[i]->setText(settings.ProjectFieldLabels[i]);
        txtFelder[i]->setText(settings.ProjectFields[i]);
    }
    showDate(settings.ProjectDate.isValid() ? settings.ProjectDate.date() : UnsetDate);
    publish();
}

void frmProjekt::ReadLabels() {
    AppSettings& settings = m_context.Settings;
    const ProjectLabelsReading reading = ReadProjectLabels(m_context.MessDataFolder, settings);
    for (int i = 0; i < reading.labelsGiven; ++i)
        lblFelder[i]->setText(settings.ProjectFieldLabels[i]);
    publish();
    reportFailure(QStringLiteral("PI"), reading.outcome);
}

void frmProjekt::LoadData() {
    AppSettings& settings = m_context.Settings;
    const ProjectDataReading reading =
        m_savedData.read(m_context.SettingsFolder, m_context.Platform.now());
    // A field whose line is empty keeps what the box holds.
    for (std::size_t i = 0; i < reading.fields.size(); ++i) {
        if (reading.fields[i])
            txtFelder[i]->setText(*reading.fields[i]);
    }
    if (reading.date) {
        settings.ProjectDate = *reading.date;
        showDate(reading.date->date());
    }
    reportFailure(QStringLiteral("PL"), reading.outcome);
}

void frmProjekt::SaveData() {
    std::array<QString, 6> fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = txtFelder[i]->text();
    const SettingsOutcome outcome =
        WriteProjectData(m_context.SettingsFolder, fields, pickerDateTime());
    m_savedData.forget();
    reportFailure(QStringLiteral("PS"), outcome);
}

ReportProject frmProjekt::reportProject() const {
    ReportProject project;
    for (std::size_t i = 0; i < lblFelder.size(); ++i) {
        project.Labels[i] = lblFelder[i]->text();
        project.Fields[i] = txtFelder[i]->text();
    }
    project.Date = DTPDate->date();
    project.Time = DTPTime->time();
    return project;
}

void frmProjekt::cmdSpeichern_Click() {
    SaveData();
    hide();
}

void frmProjekt::cmdLoeschen_Click() {
    const QDate today = m_context.Platform.now().date();
    m_context.Settings.ProjectDate = QDateTime(today, QTime(0, 0));
    showDate(today);
    DTPTime->setTime(QTime(0, 0));
    for (QLineEdit* field : txtFelder)
        field->clear();
}

void frmProjekt::showEvent(QShowEvent* event) {
    ApplyCaptions();
    const QDateTime now = m_context.Platform.now();
    if (DTPDate->date() == UnsetDate) {
        m_context.Settings.ProjectDate = QDateTime(now.date(), QTime(0, 0));
        showDate(now.date());
    }
    if (DTPTime->time() == QTime(0, 0))
        DTPTime->setTime(now.time());
    QDialog::showEvent(event);
}

void frmProjekt::showDate(const QDate& date) {
    m_showingDate = true;
    DTPDate->setDate(date);
    m_showingDate = false;
}

QDateTime frmProjekt::pickerDateTime() const {
    const QDateTime& projectDate = m_context.Settings.ProjectDate;
    const bool sameDay = projectDate.isValid() && projectDate.date() == DTPDate->date();
    return QDateTime(DTPDate->date(), sameDay ? projectDate.time() : QTime(0, 0));
}

void frmProjekt::reportFailure(const QString& aktion, const SettingsOutcome& outcome) {
    if (outcome.ok)
        return;
    const QString settingsErrorText = SettingsErrorText(aktion, m_context.Settings.LanguageIndex);
    if (aktion == QLatin1String("PL") && m_context.ShowReadFailure) {
        m_context.ShowReadFailure(settingsErrorText + outcome.description);
        return;
    }
    m_context.Platform.messageBox(settingsErrorText + outcome.description,
                                  PlatformServices::Buttons::Ok, PlatformServices::Icon::Critical,
                                  m_context.ProgramTitle ? m_context.ProgramTitle() : QString());
    if (m_context.WriteLog)
        m_context.WriteLog(settingsErrorText);
}
