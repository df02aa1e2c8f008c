#include "app/frmTransfer.h"

#include <QChartView>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

void frmTransfer::Reset_Statistic() {
    m_session->Reset_Statistic();
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
