#include "export/PrintReport.h"

#include "core/ReportDocument.h"
#include "platform/PlatformServices.h"
#include "ui/FixedPitchFont.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

bool PrintReportText(QPrinter& printer, const QString& reportText) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QFont font = FixedPitchFont(ReportFontPoints, ReportFontName);
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), &printer);
    const int lineHeight = std::max(metrics.lineSpacing(), 1);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int linesPerPage = std::max(page.height() / lineHeight, 1);
    const std::vector<QStringList> pages = ReportPages(ReportLines(reportText), linesPerPage);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            printer.newPage();
        int baseline = metrics.ascent();
        for (const QString& line : pages[p]) {
            painter.drawText(0, baseline, line);
            baseline += lineHeight;
        }
    }
    return painter.end();
}

void PrintReport(PlatformServices& platform, const std::function<QString()>& reportText) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
    if (!platform.printerDialog(printer))
        return;
    PrintReportText(printer, reportText());
}
