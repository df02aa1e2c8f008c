#include "app/frmTransfer.h"

#include "core/MemoryNames.h"

#include <QRadioButton>

namespace {

// The caption up to the blank before its "(", followed by the new count.
QString WithCount(const QString& caption, const QString& countSuffix) {
    const qsizetype p = caption.indexOf(QLatin1Char('('));
    return p < 0 ? caption : caption.left(std::max<qsizetype>(0, p - 1)) + countSuffix;
}

} // namespace

void frmTransfer::Speichernamen_setzen() {
    // Layouts that name no memory keep the language's plain names, so a language switch renews
    // them too.
    const MemoryNames defaults{m_state.message(6), m_state.message(7)};
    const MemoryNames names =
        MemoryNamesFor(m_state.Device.MemoryLayout, m_state.Device.MemoryNumber,
                       m_state.Device.ModelCode, defaults, m_state.Texts, m_state.languageIndex());
    m_state.FEName = names.First;
    m_state.NFEName = names.Second;
}

QString frmTransfer::heldCount(MemoryKind kind) const {
    // What the memory holds: a read about to replace it may still fail and keep it.
    return QStringLiteral(" (%1)").arg(m_state.Store.SeriesLength(kind));
}

void frmTransfer::Button_setzen_Init() {
    Speichernamen_setzen();
    const QString count = heldCount(m_state.Kind);
    switch (m_state.Kind) {
    case MemoryKind::FE:
        optFE->setText(m_state.FEName + count);
        break;
    case MemoryKind::NFE:
        optNFE->setText(m_state.NFEName + count);
        break;
    case MemoryKind::Online:
        optOnline->setText(m_state.message(8) + count);
        break;
    case MemoryKind::Identification:
        break;
    }
}

void frmTransfer::Button_setzen() {
    const QString& suffix = m_state.CountSuffix;
    switch (m_state.Kind) {
    case MemoryKind::FE: {
        optFE->setText(WithCount(optFE->text(), suffix));
        if (m_state.Device.MemoryLayout.trimmed() == QLatin1String("3")) {
            const bool cp = m_state.Device.ModelCode.left(2) == QLatin1String("CP");
            if (cp && m_state.SelectedMemory == 96) {
                optFE->setText(QStringLiteral("Scan ") + suffix);
                return;
            }
            if (cp)
                Button_setzen_Init();
            const int keep = m_state.languageIndex() == 0 ? 8 : 6;
            optFE->setText(optFE->text().left(keep) + QLatin1Char(' ') +
                           QString::number(m_state.SelectedMemory) + suffix);
        }
        break;
    }
    case MemoryKind::NFE:
        optNFE->setText(WithCount(optNFE->text(), suffix));
        break;
    case MemoryKind::Online:
        optOnline->setText(m_state.message(8) + suffix);
        break;
    case MemoryKind::Identification:
        break;
    }
    m_state.CountSuffix = QStringLiteral(" (0)");
}

void frmTransfer::OptButton_setzen() {
    const QString layout = m_state.Device.MemoryLayout.left(1);
    const int fe = m_state.Device.FECount;
    const int nfe = m_state.Device.NFECount;
    if (layout == QLatin1String("X")) {
        optOnline_Click();
    } else if (layout == QLatin1String("2") && !m_state.ReadAllMemories) {
        if (m_state.Kind == MemoryKind::FE) {
            optFE_Click();
        } else if (m_state.Kind == MemoryKind::NFE) {
            if (fe < 1) {
                optNFE_Click();
            } else {
                optFE_Click();
                if (nfe > 0)
                    optNFE_Click();
            }
        }
    } else if (layout == QLatin1String("2")) {
        if (fe >= 1)
            optFE_Click();
        else if (nfe > 0)
            optNFE_Click();
    } else if (fe != 0) {
        optFE_Click();
    } else {
        optOnline_Click();
    }
}

void frmTransfer::Focus_setzen() {
    const TransferSession::Command command(*m_session, "Focus_setzen");
    if (!command)
        return;
    switch (m_state.Kind) {
    case MemoryKind::FE:
        optFE_Click();
        break;
    case MemoryKind::NFE:
        optNFE_Click();
        break;
    case MemoryKind::Online:
        optOnline_Click();
        break;
    case MemoryKind::Identification:
        break;
    }
}

void frmTransfer::OptButton_Text_setzen() {
    Speichernamen_setzen();
    if (!optFE->text().isEmpty())
        optFE->setText(m_state.FEName + heldCount(MemoryKind::FE));
    if (!optNFE->isHidden() && !optNFE->text().isEmpty())
        optNFE->setText(m_state.NFEName + heldCount(MemoryKind::NFE));
}
