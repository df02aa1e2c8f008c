#pragma once

#include "app/frmTransfer.h"
#include "core/ScopedLocale.h"
#include "support/LineFeeder.h"
#include "support/TestInstallation.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <utility>

// Pens of the values, the target and the limits.
inline const QColor Blue(0, 0, 153);
inline const QColor DarkRed(150, 0, 0);
inline const QColor Green(0, 130, 0);

// Reading back what a chart shows.

inline QList<QLineSeries*> LineSeries(const QChart& chart) {
    QList<QLineSeries*> lines;
    for (QAbstractSeries* series : chart.series()) {
        if (auto* line = qobject_cast<QLineSeries*>(series))
            lines << line;
    }
    return lines;
}

// The category axis's label, and its divisions on an axis of their own.
inline QCategoryAxis* CategoryAxis(const QChart& chart) {
    for (QAbstractAxis* axis : chart.axes(Qt::Horizontal)) {
        if (auto* category = qobject_cast<QCategoryAxis*>(axis))
            return category;
    }
    return nullptr;
}

inline QValueAxis* DivisionAxis(const QChart& chart) {
    for (QAbstractAxis* axis : chart.axes(Qt::Horizontal)) {
        if (axis->type() == QAbstractAxis::AxisTypeValue)
            return qobject_cast<QValueAxis*>(axis);
    }
    return nullptr;
}

inline QValueAxis* ValueAxis(const QChart& chart) {
    return qobject_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0));
}

// The legend's texts as it draws them, in reading order. Its markers lay their labels out as rich
// text once the legend has its place.
inline QStringList LegendTexts(QChart& chart) {
    QCoreApplication::sendPostedEvents();
    QList<QGraphicsTextItem*> items;
    QList<QGraphicsItem*> pending = chart.legend()->childItems();
    while (!pending.isEmpty()) {
        QGraphicsItem* item = pending.takeFirst();
        pending << item->childItems();
        auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
        if (text != nullptr && text->isVisible() && !text->toPlainText().isEmpty())
            items << text;
    }
    std::ranges::sort(items, {}, [](const QGraphicsTextItem* item) {
        return std::pair(item->scenePos().y(), item->scenePos().x());
    });
    QStringList texts;
    for (const QGraphicsTextItem* item : items)
        texts << item->toPlainText();
    return texts;
}

inline QList<qreal> PointValues(const QLineSeries& series) {
    QList<qreal> values;
    for (const QPointF& p : series.points())
        values << p.y();
    return values;
}

inline QStringList InstrumentLines(const QList<double>& values,
                                   const QString& unit = QStringLiteral("µm")) {
    QStringList lines;
    int n = 0;
    for (double v : values)
        lines << InstrumentLine(++n, v, unit, QStringLiteral(" Fe"));
    return lines;
}

// A started main window in German with a German locale, its commands unblocked.
class ChartWindow {
public:
    explicit ChartWindow(const QString& konfi = QStringLiteral("DP\r\n")) : install(konfi) {
        w = install.startScripted();
        w->Unblock_Buttons();
    }
    void setLimits(double min, double max, double target) {
        Limits& limits = w->state().Limit;
        limits.MinLimit = min;
        limits.MaxLimit = max;
        limits.TargetValue = target;
    }
    void download(const QList<double>& values, const QString& unit = QStringLiteral("µm")) {
        FeedDownload(*w, MemoryKind::FE, InstrumentLines(values, unit));
    }
    QChart& mainChart() const { return *w->MSChart1->chart(); }

    ScopedLocale german{QLocale::German, QLocale::Germany};
    TestInstallation install;
    std::unique_ptr<frmTransfer> w;
};
