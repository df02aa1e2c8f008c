#include "chart/frmChartG.h"

#include "chart/ChartDrawing.h"
#include "core/ChartData.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmChartG::frmChartG(ChartGContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
    setObjectName(QStringLiteral("frmChartG"));
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    setMinimumSize(480, 320);
    resize(1000, 640);

    auto* outer = new QVBoxLayout(this);
    MSChartG = new QChartView(this);
    MSChartG->setObjectName(QStringLiteral("MSChartG"));
    MSChartG->chart()->setLocalizeNumbers(true);
    outer->addWidget(MSChartG, 1);

    auto* below = new QHBoxLayout;
    lblStrich = new QLabel(this);
    lblStrich->setObjectName(QStringLiteral("lblStrich"));
    lblMean = new QLabel(this);
    lblMean->setObjectName(QStringLiteral("lblMean"));
    lblMean->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdChartType = new QPushButton(this);
    cmdChartType->setObjectName(QStringLiteral("cmdChartType"));
    cmdChartType->setAutoDefault(false);
    below->addWidget(lblStrich);
    below->addWidget(lblMean, 1);
    below->addWidget(cmdChartType);
    outer->addLayout(below);

    connect(cmdChartType, &QPushButton::clicked, this, &frmChartG::cmdChartType_Click);
}

void frmChartG::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmChartG::Form_Activate() {
    m_bars = false;
    const bool german = m_context.LanguageIndex() == 0;
    cmdChartType->setText(german ? QStringLiteral("Linie / Balken") : QStringLiteral("Line / Bar"));
    setWindowTitle(m_context.Title());
    DrawLargeChart();
}

void frmChartG::cmdChartType_Click() {
    m_bars = !m_bars;
    DrawLargeChart();
}

void frmChartG::DrawLargeChart() {
    QChart& chart = *MSChartG->chart();
    const ChartArray& array = m_context.Chart.Array;
    const AxisRange range = LargeChartValueRange(m_context.Stat, m_context.AbsoluteValues);
    // Antialiased, a bar narrower than a pixel fades to the background.
    MSChartG->setRenderHint(QPainter::Antialiasing, !m_bars);
    if (m_bars) {
        DrawBarChart(chart, array, QStringLiteral("Data"), range);
        return;
    }
    const int language = m_context.LanguageIndex();
    lblStrich->setText(QStringLiteral("__ __ __ "));
    lblMean->setText(MeanWord(language) + QLatin1Char(' ') + m_context.Stat.MeanText);
    DrawLineChart(chart, array, LargeChartLooks(array, language), range);
}
