#pragma once

#include <QDialog>
#include <functional>

class QChartView;
class QLabel;
class QPushButton;
struct ChartData;
struct StatisticState;

// What the large chart window needs of the main window: the last main-chart drawing and the
// statistics texts it is read against.
struct ChartGContext {
    const ChartData& Chart;
    const StatisticState& Stat;
    const bool& AbsoluteValues;
    std::function<int()> LanguageIndex;
    std::function<QString()> Title; // window caption
};

// The large chart: the points of the last main chart as lines with their legend, or as bars.
// Modal; each showing starts with lines. Nothing is written back.
class frmChartG : public QDialog {
    Q_OBJECT
public:
    explicit frmChartG(ChartGContext context, QWidget* parent = nullptr);

    bool showsBars() const { return m_bars; }

    void Form_Activate();
    void cmdChartType_Click();
    void DrawLargeChart();

    QChartView* MSChartG = nullptr;
    QPushButton* cmdChartType = nullptr;
    QLabel* lblStrich = nullptr;
    QLabel* lblMean = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ChartGContext m_context;
    bool m_bars = false;
};
