#include "app/frmTransfer.h"

#include "chart/ChartDrawing.h"
#include "chart/frmChartG.h"

#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

void frmTransfer::cmdChart_Click() {
    if (MSChart1->isVisibleTo(this)) {
        MSChart1->setVisible(false);
        lstStat->setVisible(true);
        cmdChart->setText(QStringLiteral("Chart"));
        cmdGross->setVisible(false);
        txtMittelwert->setVisible(false);
        return;
    }
    // Values of several units share no axis.
    if (m_state.Stat.UnitsDiffer)
        return;
    MSChart1->setVisible(true);
    lstStat->setVisible(false);
    cmdChart->setText(QStringLiteral("Stat"));
    cmdGross->setVisible(true);
    txtMittelwert->setVisible(true);
    QPalette palette = txtMittelwert->palette();
    palette.setColor(QPalette::Text, Qt::black);
    txtMittelwert->setPalette(palette);

    m_state.Chart =
        BuildChartArray(m_state.Store, m_state.Kind, m_state.Limit, m_state.AbsoluteValues);
    txtMittelwert->setText(MeanBoxText(m_state.Stat.MeanText, m_state.languageIndex()));
    QChart& chart = *MSChart1->chart();
    // The chart shares its column with the statistics list: no legend, and little frame.
    chart.legend()->setVisible(false);
    chart.setMargins(QMargins(4, 4, 4, 4));
    chart.setBackgroundRoundness(0);
    chart.setLocalizeNumbers(true);
    DrawLineChart(chart, m_state.Chart.Array, MainChartLooks(m_state.Chart.Array),
                  MainChartValueRange(m_state.Stat, m_state.AbsoluteValues));
}

void frmTransfer::cmdGross_Click() {
    if (m_largeChart == nullptr) {
        m_largeChart =
            new frmChartG(ChartGContext{m_state.Chart, m_state.Stat, m_state.AbsoluteValues,
                                        [this] { return m_state.languageIndex(); },
                                        [this] { return m_state.message(14); }},
                          this);
    }
    m_largeChart->show();
    m_largeChart->raise();
    m_largeChart->activateWindow();
}

void frmTransfer::cmdAbs_Click() {
    m_state.AbsoluteValues = !m_state.AbsoluteValues;
    Focus_setzen();
}
