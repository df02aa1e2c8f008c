#include "app/frmWerte.h"

#include "app/frmTransfer.h"
#include "core/AcceptanceRules.h"
#include "platform/PlatformServices.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

frmWerte::frmWerte(frmTransfer& main) : QDialog(&main), m_main(main) {
    setObjectName(QStringLiteral("frmWerte"));
    auto* outer = new QVBoxLayout(this);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(Frame1);
    auto line = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(120);
        return edit;
    };
    lblMin = new QLabel(QStringLiteral("Min"), Frame1);
    lblMax = new QLabel(QStringLiteral("Max"), Frame1);
    lblSoll = new QLabel(Frame1);
    txtMinLimit = line("txtMinLimit");
    txtMaxLimit = line("txtMaxLimit");
    txtSoll = line("txtSoll");
    grid->addWidget(lblMax, 0, 0);
    grid->addWidget(txtMaxLimit, 0, 1);
    grid->addWidget(lblMin, 1, 0);
    grid->addWidget(txtMinLimit, 1, 1);
    grid->addWidget(lblSoll, 2, 0);
    grid->addWidget(txtSoll, 2, 1);
    chk8020 = new QCheckBox(QStringLiteral("80/20     "), Frame1);
    chk8020->setObjectName(QStringLiteral("chk8020"));
    chk9010 = new QCheckBox(QStringLiteral("90/10"), Frame1);
    chk9010->setObjectName(QStringLiteral("chk9010"));
    chkSspc = new QCheckBox(QStringLiteral("SSPC-PA 2"), Frame1);
    chkSspc->setObjectName(QStringLiteral("chkSspc"));
    cmdInfo = new QPushButton(QStringLiteral("Info"), Frame1);
    cmdInfo->setObjectName(QStringLiteral("cmdInfo"));
    grid->addWidget(chk8020, 3, 0);
    grid->addWidget(cmdInfo, 3, 1);
    grid->addWidget(chk9010, 4, 0);
    grid->addWidget(chkSspc, 5, 0);
    outer->addWidget(Frame1);

    auto* buttons = new QHBoxLayout;
    cmdSpeichern = new QPushButton(this);
    cmdSpeichern->setObjectName(QStringLiteral("cmdSpeichern"));
    cmdLoeschen = new QPushButton(this);
    cmdLoeschen->setObjectName(QStringLiteral("cmdLoeschen"));
    buttons->addWidget(cmdSpeichern);
    buttons->addWidget(cmdLoeschen);
    outer->addLayout(buttons);

    // Signed instruments are not offered the rules.
    if (OfferedRules(main.state().Device.SignMode).empty()) {
        for (QWidget* w : {static_cast<QWidget*>(chk8020), static_cast<QWidget*>(chk9010),
                           static_cast<QWidget*>(chkSspc), static_cast<QWidget*>(cmdInfo)}) {
            w->setEnabled(false);
            w->setVisible(false);
        }
    }

    for (LimitField field : {LimitField::Max, LimitField::Min, LimitField::Target}) {
        connect(box(field), &QLineEdit::editingFinished, this,
                [this, field] { validateChanged(field); });
        // Qt does not finish editing on every way out of a box (a refused entry corrected
        // after a box closed with Enter), so leaving it checks a changed entry too.
        box(field)->installEventFilter(this);
    }
    connect(chk8020, &QCheckBox::clicked, this, &frmWerte::chk8020_Click);
    connect(chk9010, &QCheckBox::clicked, this, [this] { ruleClicked(AcceptanceRule::Pspc9010); });
    connect(chkSspc, &QCheckBox::clicked, this, [this] { ruleClicked(AcceptanceRule::SspcPa2); });
    connect(cmdLoeschen, &QPushButton::clicked, this, &frmWerte::cmdLoeschen_Click);
    connect(cmdSpeichern, &QPushButton::clicked, this, &frmWerte::cmdSpeichern_Click);
    connect(cmdInfo, &QPushButton::clicked, this, &frmWerte::cmdInfo_Click);
    applyCaptions();
}

void frmWerte::applyCaptions() {
    const AppState& s = m_main.state();
    setWindowTitle(s.message(14));
    Frame1->setTitle(s.message(39));
    lblSoll->setText(s.message(45));
    cmdSpeichern->setText(s.caption(43));
    cmdLoeschen->setText(s.caption(44));
}

void frmWerte::showEvent(QShowEvent* event) {
    Form_Activate();
    QDialog::showEvent(event);
}

void frmWerte::Form_Activate() {
    applyCaptions();
    const Limits& limits = m_main.state().Limit;
    txtMinLimit->setText(LimitBoxText(limits.MinLimit));
    txtMaxLimit->setText(LimitBoxText(limits.MaxLimit));
    txtSoll->setText(LimitBoxText(limits.TargetValue));
    showRule();
    markChecked();
}

void frmWerte::showRule() {
    const AcceptanceRule rule = ChosenRule(m_main.state().Limit);
    for (auto [box, boxRule] :
         {std::pair{chk8020, AcceptanceRule::Iso8020}, std::pair{chk9010, AcceptanceRule::Pspc9010},
          std::pair{chkSspc, AcceptanceRule::SspcPa2}}) {
        const QSignalBlocker block(box);
        box->setChecked(rule == boxRule);
    }
}

void frmWerte::markChecked() {
    for (LimitField field : {LimitField::Max, LimitField::Min, LimitField::Target}) {
        m_checked[static_cast<int>(field)] = box(field)->text();
        m_refused[static_cast<int>(field)] = false;
    }
}

bool frmWerte::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        for (LimitField field : {LimitField::Max, LimitField::Min, LimitField::Target})
            if (watched == box(field))
                validateChanged(field);
    }
    return QDialog::eventFilter(watched, event);
}

bool frmWerte::validateChanged(LimitField field) {
    const int i = static_cast<int>(field);
    if (box(field)->text() == m_checked[i])
        return !m_refused[i];
    m_checked[i] = box(field)->text();
    const bool accepted = validate(field);
    // A mended entry (a sign removed, the minimum moved) is what the boxes now show.
    m_checked[i] = box(field)->text();
    m_checked[static_cast<int>(LimitField::Min)] = txtMinLimit->text();
    m_refused[i] = !accepted;
    return accepted;
}

QLineEdit* frmWerte::box(LimitField field) const {
    switch (field) {
    case LimitField::Max:
        return txtMaxLimit;
    case LimitField::Min:
        return txtMinLimit;
    case LimitField::Target:
        break;
    }
    return txtSoll;
}

void frmWerte::showMessages(const QStringList& messages) {
    for (const QString& text : messages)
        m_main.message(text);
}

bool frmWerte::validate(LimitField field) {
    AppState& s = m_main.state();
    QLineEdit* edit = box(field);
    const LimitEntryResult result =
        ValidateLimitEntry(s.Limit, field, edit->text(), s.Texts, s.languageIndex());
    if (result.BoxText)
        edit->setText(*result.BoxText);
    if (result.MinLimitBoxText)
        txtMinLimit->setText(*result.MinLimitBoxText);
    showMessages(result.Messages);
    if (!result.Accepted)
        edit->setFocus();
    return result.Accepted;
}

void frmWerte::chk8020_Click() {
    ChooseRule(m_main.state().Limit,
               chk8020->isChecked() ? AcceptanceRule::Iso8020 : AcceptanceRule::None);
    showRule();
    Check8020();
}

void frmWerte::ruleClicked(AcceptanceRule rule) {
    const QCheckBox* box = rule == AcceptanceRule::Pspc9010 ? chk9010 : chkSspc;
    ChooseRule(m_main.state().Limit, box->isChecked() ? rule : AcceptanceRule::None);
    showRule();
    Check8020();
}

void frmWerte::Check8020() {
    AppState& s = m_main.state();
    const Check8020Result result = CheckLimitRule(s.Limit, s.Texts, s.languageIndex());
    if (result.MinLimitBoxText)
        txtMinLimit->setText(*result.MinLimitBoxText);
    m_checked[static_cast<int>(LimitField::Min)] = txtMinLimit->text();
    showMessages(result.Messages);
}

void frmWerte::cmdLoeschen_Click() {
    ClearLimits(m_main.state().Limit);
    for (QLineEdit* edit : {txtMinLimit, txtMaxLimit, txtSoll})
        edit->setText(QStringLiteral("0"));
    markChecked();
    chk8020->setChecked(false);
    chk8020_Click();
}

void frmWerte::cmdSpeichern_Click() {
    // A refused entry still in its box is said again rather than saved over in silence.
    for (LimitField field : {LimitField::Max, LimitField::Min, LimitField::Target}) {
        if (m_refused[static_cast<int>(field)])
            m_checked[static_cast<int>(field)].clear();
        if (!validateChanged(field))
            return;
    }
    m_main.state().LimitsSaved = true;
    m_main.cmdProjekt->setFocus();
    close();
}

void frmWerte::cmdInfo_Click() {
    const AppState& s = m_main.state();
    m_main.platform().messageBox(RuleInfoText(ChosenRule(s.Limit), s.languageIndex()),
                                 PlatformServices::Buttons::Ok, PlatformServices::Icon::Information,
                                 QStringLiteral("Info"));
}
