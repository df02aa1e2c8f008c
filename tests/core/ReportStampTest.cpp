#include "core/ReportStamp.h"
#include "core/QStringPrinter.h"
#include "core/ScopedLocale.h"

#include <gtest/gtest.h>

namespace {

// What the report writes reads back to the second, in every locale's own format.
TEST(ReportStamp, WrittenStampsReadBackInEveryLocale) {
    const QDateTime stamps[] = {QDateTime(QDate(2026, 3, 4), QTime(9, 5, 7)),
                                QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)),
                                QDateTime(QDate(2030, 1, 1), QTime(0, 0, 1)),
                                QDateTime(QDate(2026, 7, 15), QTime(12, 30, 0))};
    for (const QLocale& locale :
         {QLocale(QLocale::German, QLocale::Germany),
          QLocale(QLocale::English, QLocale::UnitedStates),
          QLocale(QLocale::English, QLocale::UnitedKingdom),
          QLocale(QLocale::French, QLocale::France), QLocale(QLocale::Japanese, QLocale::Japan)}) {
        ScopedLocale scoped(locale.language(), locale.territory());
        const QString format = ReportStampFormat();
        for (const QDateTime& stamp : stamps) {
            const QString text = QLocale().toString(stamp, format);
            const std::optional<QDateTime> read = ParseReportStamp(text, format);
            ASSERT_TRUE(read.has_value()) << text.toStdString() << " " << format.toStdString();
            EXPECT_EQ(*read, stamp) << text.toStdString();
        }
    }
}

TEST(ReportStamp, BrokenStampsReadAsNothing) {
    ScopedLocale scoped(QLocale::German, QLocale::Germany);
    const QString format = ReportStampFormat();
    for (const char* text : {"", "31.02.2026 10:00:00", "14.03.2026 25:00:00", "14.03.26x10:00:00",
                             "14.03.2026 10:00:00 extra", "ab.cd.efgh 10:00:00"})
        EXPECT_FALSE(ParseReportStamp(QString::fromLatin1(text), format).has_value()) << text;
}

} // namespace
