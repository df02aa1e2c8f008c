#include "core/NumberFormat.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Sets the default locale for one test and restores the previous one, so other tests in this
// program keep theirs.
class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

// Runs each test under a German and an English default locale; expectations are written with "."
// and converted to the locale's separator.
class NumberFormatLocaleTest : public ::testing::TestWithParam<QLocale::Language> {
protected:
    static QString local(const char* text) {
        return QString::fromUtf8(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
    }
    static QString column(const char* text) { return local(text).rightJustified(11); }

private:
    DefaultLocale m_locale{QLocale(GetParam(), QLocale::AnyTerritory)};
};

const QString Mode2 = QStringLiteral("2");
const QString Mode3 = QStringLiteral("3");

std::optional<QString> format(double value, const char* selector, const QString& mode = Mode2) {
    return FormatValue(value, QString::fromUtf8(selector), mode);
}

TEST_P(NumberFormatLocaleTest, RendersTheDocumentedExamples) {
    EXPECT_EQ(format(123.45, "µm"), column("123"));
    EXPECT_EQ(format(99.96, "µm"), column("100.0"));
    EXPECT_EQ(format(9.876, "mi"), column("9.88"));
    EXPECT_EQ(format(12.3456, "Stat", Mode3), column("12.346"));
    EXPECT_EQ(format(5, "2"), column("5.00"));
}

TEST_P(NumberFormatLocaleTest, UsesTheLocaleSeparatorWithoutGrouping) {
    EXPECT_EQ(format(12345.67, "2"), column("12345.67"));
    EXPECT_EQ(format(1234567, "0"), column("1234567"));
}

TEST_P(NumberFormatLocaleTest, NumericSelectorGivesThatManyDecimals) {
    EXPECT_EQ(format(2.5, "0"), column("2"));
    EXPECT_EQ(format(0.04, "1"), column("0.0"));
    EXPECT_EQ(format(-1.25, "3"), column("-1.250"));
    EXPECT_EQ(format(0.5, " 1 "), column("0.5"));
}

TEST_P(NumberFormatLocaleTest, NumericSelectorOutsideZeroToThreeGivesNoText) {
    EXPECT_FALSE(format(1, "4"));
    EXPECT_FALSE(format(1, "-1"));
    EXPECT_FALSE(format(1, "1.5"));
}

TEST_P(NumberFormatLocaleTest, StatisticsFollowDecimalsMode) {
    EXPECT_EQ(format(12.3456, "Stat"), column("12.35"));
    EXPECT_EQ(format(12.3456, "Statistik", Mode3), column("12.346"));
}

TEST_P(NumberFormatLocaleTest, CoatingAndMagneticUnitsSwitchAtOneHundred) {
    EXPECT_EQ(format(100, "µm"), column("100"));
    EXPECT_EQ(format(99.94, "ym"), column("99.9"));
    EXPECT_EQ(format(250.4, "Oe"), column("250"));
    EXPECT_EQ(format(12.34, "G "), column("12.3"));
    EXPECT_EQ(format(1234.5, "A/cm"), column("1234"));
    EXPECT_EQ(format(-150, "µm"), column("-150.0"));
    EXPECT_EQ(format(-1500.26, " µm "), column("-1500.3"));
}

TEST_P(NumberFormatLocaleTest, MilsSwitchAtTen) {
    EXPECT_EQ(format(10, "mi"), column("10.0"));
    EXPECT_EQ(format(9.996, "mils"), column("10.00"));
    EXPECT_EQ(format(-12.34, "mi  "), column("-12.34"));
}

TEST_P(NumberFormatLocaleTest, ThreeDecimalsModeRendersEveryUnitWithThreeDecimals) {
    EXPECT_EQ(format(123.45, "µm", Mode3), column("123.450"));
    EXPECT_EQ(format(1.5, "kA/m", Mode3), column("1.500"));
    EXPECT_EQ(format(-0.25, "%", Mode3), column("-0.250"));
}

TEST_P(NumberFormatLocaleTest, OtherUnitsGiveNoText) {
    EXPECT_FALSE(format(1.5, "kA/m"));
    EXPECT_FALSE(format(1.5, "kOe"));
    EXPECT_FALSE(format(1.5, "mm"));
    EXPECT_FALSE(format(1.5, ""));
    EXPECT_FALSE(format(1.5, "um"));
}

TEST_P(NumberFormatLocaleTest, LongTextsStayWhole) {
    EXPECT_EQ(format(123456789012.5, "2"), local("123456789012.50"));
    EXPECT_EQ(format(-12345678.5, "Stat"), local("-12345678.50"));
}

TEST_P(NumberFormatLocaleTest, RoundsTiesToEvenOnTheDecimalValue) {
    EXPECT_EQ(format(0.125, "2"), column("0.12"));
    EXPECT_EQ(format(0.135, "2"), column("0.14"));
    EXPECT_EQ(format(2.675, "2"), column("2.68"));
    EXPECT_EQ(format(2.665, "2"), column("2.66"));
    EXPECT_EQ(format(100.5, "µm"), column("100"));
    EXPECT_EQ(format(101.5, "µm"), column("102"));
    EXPECT_EQ(format(0.25, "µm"), column("0.2"));
    EXPECT_EQ(format(-0.35, "µm"), column("-0.4"));
    EXPECT_EQ(format(9.995, "mi"), column("10.00"));
}

TEST_P(NumberFormatLocaleTest, ThreeDecimalsPatternRoundsTiesAwayFromZero) {
    EXPECT_EQ(format(1.0005, "µm", Mode3), column("1.001"));
    EXPECT_EQ(format(-1.0005, "µm", Mode3), column("-1.001"));
    EXPECT_EQ(format(1.0005, "Stat", Mode3), column("1.000"));
}

TEST_P(NumberFormatLocaleTest, ValuesRoundingToZeroCarryNoSign) {
    EXPECT_EQ(format(-0.04, "1"), column("0.0"));
    EXPECT_EQ(format(-0.0, "µm"), column("0.0"));
    EXPECT_EQ(format(-0.0004, "µm", Mode3), column("0.000"));
}

INSTANTIATE_TEST_SUITE_P(GermanAndEnglish, NumberFormatLocaleTest,
                         ::testing::Values(QLocale::German, QLocale::English));

TEST(FormattedValueTest, KeepsTheLastProducedText) {
    FormattedValue shared;
    EXPECT_TRUE(shared.text().isEmpty());
    const DefaultLocale c(QLocale::c());
    shared.format(12.5, QStringLiteral("µm"), Mode2);
    EXPECT_EQ(shared.text(), QStringLiteral("       12.5"));
    EXPECT_EQ(shared.format(3, QStringLiteral("mm"), Mode2), QStringLiteral("       12.5"));
    EXPECT_EQ(shared.format(3, QStringLiteral("7"), Mode2), QStringLiteral("       12.5"));
    EXPECT_EQ(shared.format(3, QStringLiteral("0"), Mode2), QStringLiteral("          3"));
}

TEST(FormatValueTest, NonFiniteValuesAreShownAsSuch) {
    const DefaultLocale c(QLocale::c());
    const auto text = format(std::numeric_limits<double>::infinity(), "2");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->trimmed(), QStringLiteral("inf"));
}

TEST(RoundHalfEvenTest, TiesGoToTheEvenDigit) {
    EXPECT_EQ(RoundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(RoundHalfEven(0.375, 2), 0.38);
    EXPECT_EQ(RoundHalfEven(1.005, 2), 1.0);
    EXPECT_EQ(RoundHalfEven(1.015, 2), 1.02);
    EXPECT_EQ(RoundHalfEven(2.5, 0), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5, 0), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5, 0), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5, 0), -4.0);
}

TEST(RoundHalfEvenTest, DecidesOnTheValueAsWrittenNotItsBinaryNeighbour) {
    // 2.675 is stored just below 2.675, 0.1 + 0.2 just above 0.3.
    EXPECT_EQ(RoundHalfEven(2.675, 2), 2.68);
    EXPECT_EQ(RoundHalfEven(0.1 + 0.2, 2), 0.3);
    EXPECT_EQ(RoundHalfEven(0.1 + 0.2, 16), 0.1 + 0.2);
    EXPECT_EQ(RoundHalfEven(1.23456789, 4), 1.2346);
}

TEST(RoundHalfEvenTest, CarriesIntoANewDigit) {
    EXPECT_EQ(RoundHalfEven(9.995, 2), 10.0);
    EXPECT_EQ(RoundHalfEven(-999.96, 1), -1000.0);
    EXPECT_EQ(RoundHalfEven(0.0006, 3), 0.001);
}

TEST(RoundHalfEvenTest, NegativeDecimalsRoundToTensAndHundreds) {
    EXPECT_EQ(RoundHalfEven(1250, -2), 1200.0);
    EXPECT_EQ(RoundHalfEven(1350, -2), 1400.0);
    EXPECT_EQ(RoundHalfEven(49, -2), 0.0);
    EXPECT_EQ(RoundHalfEven(51, -2), 100.0);
}

TEST(RoundHalfEvenTest, ZeroResultHasNoSign) {
    const double result = RoundHalfEven(-0.4, 0);
    EXPECT_EQ(result, 0.0);
    EXPECT_FALSE(std::signbit(result));
}

TEST(RoundHalfEvenTest, ExtremeArgumentsStaySound) {
    EXPECT_EQ(RoundHalfEven(1e300, 3), 1e300);
    EXPECT_EQ(RoundHalfEven(1e-300, 3), 0.0);
    EXPECT_EQ(RoundHalfEven(0.123, 1000000), 0.123);
    EXPECT_EQ(RoundHalfEven(123.0, -1000000), 0.0);
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::max(), -308),
              std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""), 2)));
    EXPECT_EQ(RoundHalfEven(-std::numeric_limits<double>::infinity(), 2),
              -std::numeric_limits<double>::infinity());
}

TEST(RoundToDecimalsTest, ReadsTheDecimalCountAsANumber) {
    const DefaultLocale german(QLocale(QLocale::German));
    EXPECT_EQ(RoundToDecimals(2.675, QStringLiteral("2")), 2.68);
    EXPECT_EQ(RoundToDecimals(1.23456, QStringLiteral(" 3 ")), 1.235);
    EXPECT_EQ(RoundToDecimals(1.23456, QStringLiteral("2,0")), 1.23);
    EXPECT_EQ(RoundToDecimals(1.23456, QStringLiteral("1.0")), 1.2);
}

TEST(RoundToDecimalsTest, RoundsTheCountHalfToEven) {
    const DefaultLocale c(QLocale::c());
    EXPECT_EQ(RoundToDecimals(1.23456, QStringLiteral("2.5")), 1.23);
    EXPECT_EQ(RoundToDecimals(1.23456, QStringLiteral("3.5")), 1.2346);
}

TEST(RoundToDecimalsTest, UnreadableOrHugeCountsLeaveTheValue) {
    const DefaultLocale c(QLocale::c());
    EXPECT_EQ(RoundToDecimals(1.23456, QStringLiteral("")), 1.23456);
    EXPECT_EQ(RoundToDecimals(1.23456, QStringLiteral("zwei")), 1.23456);
    EXPECT_EQ(RoundToDecimals(1.23456, QStringLiteral("nan")), 1.23456);
    EXPECT_EQ(RoundToDecimals(1.23456, QStringLiteral("1e30")), 1.23456);
}

TEST_P(NumberFormatLocaleTest, GetDecimalsIntGivesTheFractionDigits) {
    EXPECT_EQ(GetDecimalsInt(2.25), 25);
    EXPECT_EQ(GetDecimalsInt(2.05), 5);
    EXPECT_EQ(GetDecimalsInt(0.5), 5);
    EXPECT_EQ(GetDecimalsInt(0.125), 125);
    EXPECT_EQ(GetDecimalsInt(100000.001), 1);
}

TEST_P(NumberFormatLocaleTest, GetDecimalsIntIsZeroWithoutAFractionToThreeDecimals) {
    EXPECT_EQ(GetDecimalsInt(3), 0);
    EXPECT_EQ(GetDecimalsInt(0), 0);
    EXPECT_EQ(GetDecimalsInt(1.0004), 0);
    EXPECT_EQ(GetDecimalsInt(2.9996), 0);
    EXPECT_EQ(GetDecimalsInt(1e20), 0);
    EXPECT_EQ(GetDecimalsInt(std::nan("")), 0);
}

TEST_P(NumberFormatLocaleTest, GetDecimalsIntAnswersNegativesAsTheirMagnitude) {
    EXPECT_EQ(GetDecimalsInt(-2.25), 25);
    EXPECT_EQ(GetDecimalsInt(-2.05), 5);
    EXPECT_EQ(GetDecimalsInt(-0.5), 5);
    EXPECT_EQ(GetDecimalsInt(-0.001), 1);
    EXPECT_EQ(GetDecimalsInt(-3), 0);
    EXPECT_EQ(GetDecimalsInt(-1.0004), 0);
}

TEST(AusrichtenTest, PadsShortTextsWithTheFirstFillCharacter) {
    EXPECT_EQ(Ausrichten(4, QStringLiteral("NFe"), QStringLiteral(" "), false),
              QStringLiteral(" NFe"));
    EXPECT_EQ(Ausrichten(6, QStringLiteral("12"), QStringLiteral("0x"), true),
              QStringLiteral("000012"));
    EXPECT_EQ(Ausrichten(4, QStringLiteral("µm"), QStringLiteral("."), false),
              QStringLiteral("..µm"));
}

TEST(AusrichtenTest, EmptyFillPadsWithBlanks) {
    EXPECT_EQ(Ausrichten(3, QStringLiteral("a"), QString(), false), QStringLiteral("  a"));
}

TEST(AusrichtenTest, CutsLongTextsOnlyWhenAsked) {
    EXPECT_EQ(Ausrichten(3, QStringLiteral("ABCD"), QStringLiteral(" "), true),
              QStringLiteral("ABC"));
    EXPECT_EQ(Ausrichten(3, QStringLiteral("ABCD"), QStringLiteral(" "), false),
              QStringLiteral("ABCD"));
    EXPECT_EQ(Ausrichten(3, QStringLiteral("ABC"), QStringLiteral("-"), true),
              QStringLiteral("ABC"));
}

TEST(AusrichtenTest, NonPositiveWidths) {
    EXPECT_EQ(Ausrichten(0, QStringLiteral("AB"), QStringLiteral(" "), true), QString());
    EXPECT_EQ(Ausrichten(-2, QStringLiteral("AB"), QStringLiteral(" "), true), QString());
    EXPECT_EQ(Ausrichten(-2, QStringLiteral("AB"), QStringLiteral(" "), false),
              QStringLiteral("AB"));
    EXPECT_EQ(Ausrichten(0, QString(), QStringLiteral(" "), false), QString());
}

TEST(AusrichtenLTest, TrimsPadsAndCuts) {
    EXPECT_EQ(AusrichtenL(6, QStringLiteral(" ab  ")), QStringLiteral("ab    "));
    EXPECT_EQ(AusrichtenL(2, QStringLiteral("abc")), QStringLiteral("ab"));
    EXPECT_EQ(AusrichtenL(3, QStringLiteral("  ")), QStringLiteral("   "));
    EXPECT_EQ(AusrichtenL(4, QStringLiteral("a b")), QStringLiteral("a b "));
}

TEST(AusrichtenLTest, NonPositiveWidthsGiveEmptyText) {
    EXPECT_EQ(AusrichtenL(0, QStringLiteral("abc")), QString());
    EXPECT_EQ(AusrichtenL(-1, QStringLiteral("abc")), QString());
}

} // namespace
