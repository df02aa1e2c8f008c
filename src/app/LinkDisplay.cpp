#include "app/LinkDisplay.h"

#include "ble_ui/BLE.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>

LinkDisplay::LinkDisplay(const LinkControls& controls, const AppState& state, QObject* parent)
    : QObject(parent), m_c(controls), m_state(state) {
    prgDownload = new QProgressBar(m_c.Frame2);
    prgDownload->setObjectName(QStringLiteral("prgDownload"));
    prgDownload->setMinimumWidth(200);
    prgDownload->setVisible(false);
    cmdAbbrechen = new QPushButton(m_c.Frame2);
    cmdAbbrechen->setObjectName(QStringLiteral("cmdAbbrechen"));
    cmdAbbrechen->setVisible(false);
    if (auto* row = qobject_cast<QBoxLayout*>(m_c.Frame2->layout())) {
        const int after = row->indexOf(m_c.txtWait) + 1;
        row->insertWidget(after, prgDownload);
        row->insertWidget(after + 1, cmdAbbrechen);
    }
    connect(cmdAbbrechen, &QPushButton::clicked, this, &LinkDisplay::cancelClicked);
}

QString LinkDisplay::say(const char* german, const char* english) const {
    return QString::fromUtf8(m_state.languageIndex() == 0 ? german : english);
}

void LinkDisplay::showPictures(bool visible) {
    const QString& kind = m_state.Device.LinkKind;
    const bool bluetooth = kind == QLatin1String("B") || kind == QLatin1String("L");
    m_c.picUsb->setVisible(visible && !bluetooth);
    m_c.picBth->setVisible(visible && bluetooth);
}

void LinkDisplay::startUp(bool lowEnergy) {
    m_c.txtWait->setStyleSheet(QStringLiteral("color: rgb(0,0,255);"));
    showPictures(false);
    m_c.picBthBlitz->setVisible(false);
    if (lowEnergy)
        m_c.ComboPort->setEnabled(false);
    m_c.ComboPort->setVisible(true);
    m_c.cmdConnect->setVisible(true);
}

void LinkDisplay::retranslate(bool connected) {
    const TextTable& texts = m_state.Texts;
    const auto shows = [&texts](const QString& text, bool caption, int slot) {
        for (int language : {0, 1})
            if (text == (caption ? texts.caption(language, slot) : texts.message(language, slot)))
                return true;
        return false;
    };
    // What a lost Bluetooth LE link shows stays, in the new language: the button still offers
    // the reconnect.
    const QString button = m_c.cmdConnect->text();
    m_c.cmdConnect->setText(m_state.caption(shows(button, true, 54)   ? 54
                                            : shows(button, true, 51) ? 51
                                                                      : 50));
    const QString wait = m_c.txtWait->text();
    // A prompt for the port stays a prompt, in the new language; LE instruments have no port.
    const bool askForPort =
        m_c.ComboPort->currentText().isEmpty() && m_state.Device.LinkKind != QLatin1String("L");
    m_c.txtWait->setText(connected                ? m_state.caption(53)
                         : shows(wait, false, 72) ? m_state.message(72)
                         : shows(wait, true, 51)  ? m_state.caption(51)
                         : askForPort             ? m_state.message(24)
                                                  : m_state.message(13));
    cmdAbbrechen->setText(say("Abbrechen (Esc)", "Cancel (Esc)"));
}

void LinkDisplay::showChoices(const QStringList& choices) {
    m_c.ComboPort->clear();
    m_c.ComboPort->addItems(choices);
}

namespace {

// "COM12" of a list line "COM12  VCP ...", or of what the user typed.
QString PortOf(const QString& text) {
    return text.section(u' ', 0, 0, QString::SectionSkipEmpty).toUpper();
}

int NumberOf(const QString& text) {
    return PortOf(text).mid(3).toInt();
}

} // namespace

void LinkDisplay::updateChoices(const QStringList& choices) {
    QComboBox* combo = m_c.ComboPort;
    const QString shown = combo->currentText();
    const QString chosen = PortOf(shown);
    // The user chose nothing new: the list changes under the text.
    const QSignalBlocker quiet(combo);
    for (int i = combo->count() - 1; i >= 0; --i) {
        const QString item = combo->itemText(i);
        if (!choices.contains(item) && PortOf(item) != chosen)
            combo->removeItem(i);
    }
    for (const QString& choice : choices) {
        if (combo->findText(choice, Qt::MatchExactly) >= 0)
            continue;
        int at = 0;
        while (at < combo->count() && NumberOf(combo->itemText(at)) < NumberOf(choice))
            ++at;
        combo->insertItem(at, choice);
    }
    if (combo->currentText() != shown) {
        combo->setCurrentIndex(combo->findText(shown, Qt::MatchExactly));
        combo->setEditText(shown);
    }
}

void LinkDisplay::showSavedPort(const std::optional<QString>& comboText, bool askForPort) {
    if (comboText)
        m_c.ComboPort->setEditText(*comboText);
    if (!askForPort)
        return;
    // A list that preselects its first item would send a plain "connect" to that port, which for
    // a cable model is the built-in COM1, not the instrument's.
    m_c.ComboPort->setCurrentIndex(-1);
    m_c.ComboPort->setEditText(QString());
    m_c.txtWait->setText(m_state.message(24));
    m_c.txtWait->setVisible(true);
}

void LinkDisplay::ComboPort_Change() {
    const QString text = m_c.ComboPort->currentText();
    if (text.isEmpty() || text == QLatin1String(" ")) {
        m_c.txtWait->setText(m_state.message(5));
        m_c.cmdConnect->setEnabled(false);
        return;
    }
    if (m_c.ComboPort->count() == 0) {
        m_c.ComboPort->setEditText(QString());
        m_c.txtWait->setText(m_state.message(31));
        return;
    }
    for (int i = 0; i < m_c.ComboPort->count(); ++i) {
        if (m_c.ComboPort->itemText(i).contains(text, Qt::CaseInsensitive)) {
            m_c.txtWait->clear();
            m_c.txtWait->setVisible(false);
            m_c.cmdConnect->setEnabled(true);
            return;
        }
        m_c.txtWait->setText(m_state.message(5));
        m_c.cmdConnect->setEnabled(false);
    }
}

void LinkDisplay::showState(InstrumentLink::State state) {
    using State = InstrumentLink::State;
    switch (state) {
    case State::Opening:
        m_c.txtWait->setText(m_state.message(13));
        m_c.txtWait->setVisible(true);
        return;
    case State::Connected:
        m_c.ComboPort->setVisible(false);
        m_c.txtWait->setStyleSheet(QStringLiteral("color: rgb(0,0,255);"));
        m_c.txtWait->setToolTip(QString());
        m_c.Frame2->setTitle(QStringLiteral("Com-Port(COM") +
                             m_state.Settings.COMPortNummer.trimmed() + QLatin1Char(')'));
        m_c.txtWait->setText(m_state.caption(53));
        m_c.txtWait->setVisible(true);
        m_c.cmdConnect->setText(m_state.caption(50));
        m_c.cmdConnect->setVisible(false);
        showPictures(true);
        m_c.picBthBlitz->setVisible(false);
        return;
    case State::NotConnected:
    case State::NoAnswer:
        m_c.cmdConnect->setText(m_state.caption(50));
        m_c.ComboPort->setVisible(true);
        m_c.Frame2->setTitle(QStringLiteral("Com-Port"));
        m_c.txtWait->setText(m_state.caption(55));
        // Not connected, the connect button is always offered.
        m_c.cmdConnect->setVisible(true);
        m_c.cmdConnect->setFocus();
        showPictures(false);
        m_c.picBthBlitz->setVisible(false);
        return;
    case State::NotAvailable:
        m_c.txtWait->setText(m_state.message(29));
        m_c.txtWait->setVisible(true);
        m_c.cmdConnect->setText(m_state.caption(50));
        m_c.ComboPort->setVisible(true);
        m_c.cmdConnect->setVisible(true);
        m_c.cmdConnect->setFocus();
        showPictures(false);
        return;
    case State::Lost:
        m_c.Frame2->setTitle(QStringLiteral("Com-Port"));
        return;
    }
}

void LinkDisplay::showReason(const QString& reason) {
    m_c.txtWait->setToolTip(reason);
}

void LinkDisplay::showReady() {
    m_c.txtWait->setText(m_state.caption(53));
}

void LinkDisplay::showUnplugged() {
    m_c.cmdConnect->setText(m_state.caption(50));
    m_c.txtWait->clear();
    m_c.cmdConnect->setVisible(true);
    showPictures(false);
    m_c.ComboPort->setVisible(true);
}

void LinkDisplay::showLowEnergy(BleLinkView view) {
    const bool offered = view != BleLinkView::Disconnected;
    m_c.cmdConnect->setText(m_state.caption(offered ? 54 : 51));
    m_c.cmdConnect->setVisible(offered);
    showPictures(false);
    m_c.picBthBlitz->setVisible(true);
    if (view == BleLinkView::Returned)
        return;
    m_c.txtWait->setText(view == BleLinkView::Lost ? m_state.message(72) : m_state.caption(51));
    m_c.txtWait->setVisible(true);
}

void LinkDisplay::showWaiting(int expected) {
    m_c.txtWait->setText(m_state.message(13));
    m_c.txtWait->setVisible(true);
    // Without a count the bar only shows that something runs.
    prgDownload->setRange(0, std::max(0, expected));
    prgDownload->setValue(0);
    prgDownload->setFormat(expected > 0 ? say("%v von %m Werten", "%v of %m values") : QString());
    prgDownload->setTextVisible(expected > 0);
    prgDownload->setVisible(true);
    cmdAbbrechen->setText(say("Abbrechen (Esc)", "Cancel (Esc)"));
    cmdAbbrechen->setVisible(true);
}

void LinkDisplay::showProgress(int lines) {
    const int maximum = prgDownload->maximum();
    if (maximum <= 0)
        return;
    // Lines come in bursts many times a second; a repaint every two percent is what the eye
    // follows, and costs far less than one per burst.
    const int value = std::min(lines, maximum);
    if (value == maximum || value - prgDownload->value() >= std::max(1, maximum / 50))
        prgDownload->setValue(value);
}

void LinkDisplay::endWaiting(bool connected) {
    prgDownload->setVisible(false);
    cmdAbbrechen->setVisible(false);
    if (connected)
        m_c.txtWait->setText(m_state.caption(53));
}
