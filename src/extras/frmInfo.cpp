#include "extras/frmInfo.h"

#include "core/TextTable.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QString joined(const QString& first, const QString& second) {
    return second.isEmpty() ? first : first + u'/' + second;
}

} // namespace

bool InfoShowsDialog(const DeviceInfo& device, bool linkConnected) {
    return !device.VD.isEmpty() || linkConnected;
}

frmInfo::frmInfo(InfoContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
    setObjectName(QStringLiteral("frmInfo"));
    auto* layout = new QFormLayout(this);
    auto row = [&](QLabel*& label, QLineEdit*& text, const char* labelName, const char* textName,
                   const QString& caption) {
        label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(labelName));
        text = new QLineEdit(this);
        text->setObjectName(QLatin1String(textName));
        text->setReadOnly(true);
        text->setMinimumWidth(260);
        layout->addRow(label, text);
    };
    row(lblGeraet, txtGeraet, "lblGeraet", "txtGeraet", QString());
    row(lblGeraetSoft, txtGeraeteSoft, "lblGeraetSoft", "txtGeraeteSoft", QString());
    row(lblPCSoft, txtPCSoft, "lblPCSoft", "txtPCSoft", QStringLiteral("Version PC Software"));
    row(lblMacAdr, txtMacAdr, "lblMacAdr", "txtMacAdr", QStringLiteral("MacAdresse"));
    row(lblSondenversion, txtSondenversion, "lblSondenversion", "txtSondenversion",
        QStringLiteral("Sondenversion"));
    row(lblSondentyp, txtSondentyp, "lblSondentyp", "txtSondentyp", QString());
}

void frmInfo::showEvent(QShowEvent* event) {
    Form_Activate();
    QDialog::showEvent(event);
}

void frmInfo::Form_Activate() {
    ApplyCaptions();
    const DeviceInfo& d = m_context.Device;
    const QString title = m_context.ModelTitle();
    const qsizetype p = title.indexOf(QLatin1String("DIVEDADE"));
    txtGeraet->setText(p >= 2 ? title.left(p - 1) : d.ModelCode);
    if ((d.ModelCode == QLatin1String("FEB") && txtGeraet->text() == QLatin1String("Delta-Pro")) ||
        d.PT == QLatin1String("1"))
        txtGeraet->setText(QStringLiteral("Delta-Pro (FE-B)"));
    if ((d.ModelCode == QLatin1String("FNB") && txtGeraet->text() == QLatin1String("Delta-Pro")) ||
        d.PT == QLatin1String("3"))
        txtGeraet->setText(QStringLiteral("Delta-Pro (FN-B)"));
    txtPCSoft->setText(d.IdentR);
    txtGeraeteSoft->setText(joined(d.VD, d.IdentV));
    txtMacAdr->setText(d.AD);
    txtSondenversion->setText(joined(d.VP, d.IdentB));
    txtSondentyp->setText(joined(d.PT, d.IdentS));
}

void frmInfo::ApplyCaptions() {
    const int language = m_context.LanguageIndex();
    const TextTable& texts = m_context.Texts;
    lblGeraet->setText(texts.message(language, 43));
    lblGeraetSoft->setText(texts.message(language, 44));
    QString probe = texts.message(language, 74);
    if (!m_context.Device.IdentS.isEmpty())
        probe += QStringLiteral("/SNR");
    lblSondentyp->setText(probe);
    setWindowTitle(m_context.TitleAndVersion());
    // The captions change with the language and the serial number.
    adjustSize();
}
