#include "extras/frmTastatur.h"

#include "core/KeyEventText.h"
#include "core/TextTable.h"
#include "platform/PlatformServices.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int UnitMessage = 2;
constexpr int TitleMessage = 14;
constexpr int FunctionMessage = 62;
constexpr int DescriptionMessage = 63;
constexpr int ActivateMessage = 64;
constexpr int ApplicationMessage = 65;
constexpr int IncludingMessage = 66;
constexpr int DateMessage = 67;
constexpr int LineEndMessage = 68;
constexpr int NoneMessage = 69;
constexpr int NumberMessage = 70;

QString WaylandText(int languageIndex) {
    return languageIndex == 0
               ? QStringLiteral("Unter Wayland werden die Werte in das Fenster getippt, das den "
                                "Fokus hat. Die Anwendung wird nur unter X11 gestartet und nach "
                                "vorn geholt.")
               : QStringLiteral("On Wayland the values are typed into the window that has the "
                                "focus. The application is only started and brought to the front "
                                "on X11.");
}

bool OnWayland(const KeyEventContext& context) {
    return context.Platform.keyRoad() == PlatformServices::KeyRoad::Portal;
}

// A chosen file becomes a command line: a path with blanks is quoted so it stays one word.
QString CommandLineOf(const QString& file) {
    return file.contains(u' ') ? u'"' + file + u'"' : file;
}

} // namespace

frmTastatur::frmTastatur(TastaturContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
    setObjectName(QStringLiteral("frmTastatur"));
    buildControls();
    optKeins->setChecked(true);
}

void frmTastatur::buildControls() {
    auto* outer = new QVBoxLayout(this);

    frmFunktion = Named(new QGroupBox(this), "frmFunktion");
    auto* function = new QVBoxLayout(frmFunktion);
    lblTE = Named(new QLabel(frmFunktion), "lblTE");
    lblTE->setWordWrap(true);
    chkTastatur = Named(new QCheckBox(frmFunktion), "chkTastatur");
    lblAnwendung = Named(new QLabel(frmFunktion), "lblAnwendung");
    txtAnwendung = Named(new QLineEdit(frmFunktion), "txtAnwendung");
    txtAnwendung->setMinimumWidth(380);
    txtAnwendung->installEventFilter(this);
    lblWayland = Named(new QLabel(frmFunktion), "lblWayland");
    lblWayland->setWordWrap(true);
    lblWayland->setVisible(OnWayland(m_context.KeyEvents));
    function->addWidget(lblTE);
    function->addWidget(chkTastatur);
    function->addWidget(lblAnwendung);
    function->addWidget(txtAnwendung);
    function->addWidget(lblWayland);
    outer->addWidget(frmFunktion);

    auto* choices = new QHBoxLayout;
    frmInklusive = Named(new QGroupBox(this), "frmInklusive");
    auto* including = new QVBoxLayout(frmInklusive);
    chkNr = Named(new QCheckBox(frmInklusive), "chkNr");
    chkDatum = Named(new QCheckBox(frmInklusive), "chkDatum");
    chkEinheit = Named(new QCheckBox(frmInklusive), "chkEinheit");
    chkMaterial = Named(new QCheckBox(QStringLiteral("Material"), frmInklusive), "chkMaterial");
    for (QCheckBox* box : {chkNr, chkDatum, chkEinheit, chkMaterial})
        including->addWidget(box);
    choices->addWidget(frmInklusive, 1);

    frmZeilenEnde = Named(new QGroupBox(this), "frmZeilenEnde");
    auto* lineEnd = new QVBoxLayout(frmZeilenEnde);
    optEnter = Named(new QRadioButton(QStringLiteral("Enter"), frmZeilenEnde), "optEnter");
    optKeins = Named(new QRadioButton(frmZeilenEnde), "optKeins");
    lineEnd->addWidget(optEnter);
    lineEnd->addWidget(optKeins);
    lineEnd->addStretch(1);
    choices->addWidget(frmZeilenEnde, 1);
    outer->addLayout(choices);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOk = Named(new QPushButton(QStringLiteral("OK"), this), "cmdOk");
    cmdOk->setMinimumWidth(90);
    cmdOk->setDefault(true);
    buttons->addWidget(cmdOk);
    outer->addLayout(buttons);

    connect(cmdOk, &QPushButton::clicked, this, &frmTastatur::cmdOk_Click);
}

void frmTastatur::showEvent(QShowEvent* event) {
    Form_Activate();
    QDialog::showEvent(event);
}

bool frmTastatur::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtAnwendung && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        txtAnwendung_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmTastatur::Form_Activate() {
    const TextTable& texts = m_context.Texts;
    AppSettings& s = m_context.KeyEvents.Settings;
    const int language = s.LanguageIndex;
    setWindowTitle(texts.message(language, TitleMessage));
    frmFunktion->setTitle(texts.message(language, FunctionMessage));
    lblTE->setText(texts.message(language, DescriptionMessage));
    chkTastatur->setText(texts.message(language, ActivateMessage));
    lblAnwendung->setText(texts.message(language, ApplicationMessage));
    frmInklusive->setTitle(texts.message(language, IncludingMessage));
    chkNr->setText(texts.message(language, NumberMessage));
    chkDatum->setText(texts.message(language, DateMessage));
    chkEinheit->setText(texts.message(language, UnitMessage));
    frmZeilenEnde->setTitle(texts.message(language, LineEndMessage));
    optKeins->setText(texts.message(language, NoneMessage));
    lblWayland->setText(WaylandText(language));

    chkTastatur->setChecked(s.KeyEventsEnabled);
    txtAnwendung->setText(s.KeyEventApp);
    // Any other line end, the empty one that "Keins" stores among them, keeps the selection.
    if (s.KeyEventLineEnd == QLatin1String("ENTER"))
        optEnter->setChecked(true);
    else if (s.KeyEventLineEnd == QLatin1String("KEINS"))
        optKeins->setChecked(true);
    if (s.KeyEventFields.isEmpty())
        s.KeyEventFields = QStringLiteral("0000");
    const KeyEventChoice choice = KeyEventChoiceOf(s.KeyEventFields);
    chkNr->setChecked(choice[0]);
    chkDatum->setChecked(choice[1]);
    chkEinheit->setChecked(choice[2]);
    chkMaterial->setChecked(choice[3]);
    // The wrapped texts need the height of their text in the current language.
    adjustSize();
    for (QLabel* label : {lblTE, lblWayland})
        label->setMinimumHeight(label->heightForWidth(label->width()));
    adjustSize();
}

void frmTastatur::txtAnwendung_Click() {
    const int language = m_context.KeyEvents.Settings.LanguageIndex;
    const QString file = m_context.KeyEvents.Platform.openFileName(
        m_context.Texts.message(language, ApplicationMessage), QString(), QString());
    // A cancelled dialog leaves the application as it was.
    if (!file.isEmpty())
        txtAnwendung->setText(CommandLineOf(file));
}

void frmTastatur::cmdOk_Click() {
    KeyEventContext& keys = m_context.KeyEvents;
    AppSettings& s = keys.Settings;
    if (optKeins->isChecked())
        s.KeyEventLineEnd.clear();
    else if (optEnter->isChecked())
        s.KeyEventLineEnd = QStringLiteral("ENTER");
    s.KeyEventsEnabled = chkTastatur->isChecked();
    const QString application = txtAnwendung->text();
    if (application != s.KeyEventApp && s.KeyEventsEnabled) {
        s.KeyEventApp = application;
        keys.AppStarted = false;
    }
    // On Wayland the values go to the focused window: no application is needed there.
    if (chkTastatur->isChecked() && !OnWayland(keys) &&
        (application.isEmpty() || application == QLatin1String(" "))) {
        chkTastatur->setChecked(false);
        s.KeyEventsEnabled = false;
    }
    s.KeyEventFields =
        KeyEventFieldsWith(s.KeyEventFields, {chkNr->isChecked(), chkDatum->isChecked(),
                                              chkEinheit->isChecked(), chkMaterial->isChecked()});
    m_context.Voreinstellungen(QStringLiteral("TS"));
    // A target the user closed is started again rather than reported on every value.
    if (keys.AppStarted && !keys.Platform.programRunning(keys.TaskId))
        keys.AppStarted = false;
    StartKeyEvents(keys);
    hide();
}
