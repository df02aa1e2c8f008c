#include "app/frmTransfer.h"

#include <QChartView>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

StatisticInputs frmTransfer::statisticInputs() const {
    StatisticInputs inputs;
    inputs.AbsoluteValues = m_state.AbsoluteValues;
    inputs.SignMode = m_state.Device.SignMode;
    inputs.DecimalsMode = m_state.Device.DecimalsMode;
    inputs.UserLimits = m_state.Limit;
    inputs.LanguageIndex = m_state.languageIndex();
    switch (m_state.Kind) {
    case MemoryKind::NFE:
        inputs.MemoryTitle = m_state.NFEName;
        break;
    case MemoryKind::Online:
        inputs.MemoryTitle = m_state.message(8);
        break;
    default:
        inputs.MemoryTitle = m_state.FEName;
        break;
    }
    return inputs;
}

void frmTransfer::CalcStatistic(double currentValue, const QString& currentUnit, int count) {
    const QStringList lines =
        ::CalcStatistic(m_state.Stat, currentValue, currentUnit, count, statisticInputs());
    showStatisticLines(lines);
    showStatisticsView(!lines.isEmpty());
}

void frmTransfer::Reset_Statistic() {
    ::Reset_Statistic(m_state.Stat, m_state.Counters.CurrentIndex);
    lstStat->clear();
}

void frmTransfer::showStatisticLines(const QStringList& lines) {
    // Renewing the texts in place keeps a download of thousands of values from rebuilding the
    // list items for every value.
    if (lstStat->count() != lines.size()) {
        lstStat->clear();
        lstStat->addItems(lines);
        return;
    }
    for (int i = 0; i < lines.size(); ++i) {
        QListWidgetItem* item = lstStat->item(i);
        if (item->text() != lines[i])
            item->setText(lines[i]);
    }
}

void frmTransfer::showStatisticsView(bool hasRows) {
    // Without rows the logo takes the place of the list; a new value always returns from the
    // chart to the list.
    Frame5->setVisible(!hasRows);
    lstStat->setVisible(hasRows);
    MSChart1->setVisible(false);
    cmdChart->setVisible(hasRows);
    cmdChart->setText(QStringLiteral("Chart"));
    cmdAbs->setVisible(hasRows && m_state.Device.SignMode == QLatin1String("-"));
    cmdGross->setVisible(false);
    txtMittelwert->setVisible(false);
}
