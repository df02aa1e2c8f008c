#include "core/NumberFormat.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr int TableWidth = 11;

// Values reach us as decimal texts (instrument lines, typed limits) or as sums and means of such
// values. Fifteen significant digits are the most that every double reproduces faithfully, so
// reading a value at that precision gives back the decimal the user saw: 2.675 is stored as
// 2.67499999..., yet it is meant as 2.675, and 0.1 + 0.2 reads as 0.3. Rounding that decimal
// rather than the binary value makes ties behave as they look on screen.
constexpr int SignificantDigits = 15;

// Rounding is decided at this many decimals at most; a decimal count beyond it leaves any double
// unchanged.
constexpr int DecimalsBound = 400;

enum class Tie { ToEven, AwayFromZero };

// A value rounded to a number of decimals: the decimal digits of |value| * 10^decimals.
struct ScaledDigits {
    bool negative = false;
    std::string digits; // no leading zeros; "0" for zero
    int decimals = 0;
    bool exact = false; // every significant digit was kept: nothing to round
};

// The value's decimal digits at SignificantDigits precision and the power of ten of the first.
struct DecimalView {
    std::string digits;
    int exponent = 0;
};

DecimalView decimalView(double magnitude) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, SignificantDigits - 1);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    DecimalView view;
    for (char c : text.substr(0, e))
        if (c != '.')
            view.digits += c;
    view.exponent = std::stoi(text.substr(e + 1));
    return view;
}

bool lastDigitOdd(const std::string& kept) {
    return !kept.empty() && (kept.back() - '0') % 2 == 1;
}

void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

void stripLeadingZeros(std::string& digits) {
    const auto first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? "0" : digits.substr(first);
}

// Rounds a finite value to a number of decimals on its decimal view. Needs
// |decimals| <= DecimalsBound so that the digit string stays short.
ScaledDigits roundDigits(double value, int decimals, Tie tie) {
    ScaledDigits result;
    result.decimals = decimals;
    if (value == 0) {
        result.digits = "0";
        result.exact = true;
        return result;
    }
    const DecimalView view = decimalView(std::fabs(value));
    // Digits from the first significant one down to the 10^-decimals place.
    const int keep = view.exponent + 1 + decimals;
    std::string kept;
    bool roundUp = false;
    if (keep >= SignificantDigits) {
        kept = view.digits + std::string(keep - SignificantDigits, '0');
        result.exact = true;
    } else if (keep >= 0) {
        kept = view.digits.substr(0, keep);
        const std::string dropped = view.digits.substr(keep);
        const bool moreThanHalf =
            dropped[0] > '5' ||
            (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
        const bool exactlyHalf = !moreThanHalf && dropped[0] == '5';
        roundUp = moreThanHalf || (exactlyHalf && (tie == Tie::AwayFromZero || lastDigitOdd(kept)));
    }
    if (kept.empty())
        kept = "0";
    if (roundUp)
        incrementDigits(kept);
    stripLeadingZeros(kept);
    result.digits = kept;
    result.negative = value < 0 && result.digits != "0";
    return result;
}

// Digit-placeholder rendering: at least one integer digit, exactly `decimals` decimals, the
// default locale's separator, no grouping.
QString renderPattern(double value, int decimals, Tie tie) {
    if (!std::isfinite(value))
        return QLocale().toString(value);
    const ScaledDigits scaled = roundDigits(value, decimals, tie);
    std::string digits = scaled.digits;
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    const auto integerDigits = digits.size() - decimals;
    QString text = scaled.negative ? QStringLiteral("-") : QString();
    text += QString::fromLatin1(digits.data(), integerDigits);
    if (decimals > 0) {
        text += QLocale().decimalPoint();
        text += QString::fromLatin1(digits.data() + integerDigits, decimals);
    }
    return text;
}

QString rounded(double value, int decimals) {
    return renderPattern(RoundHalfEven(value, decimals), decimals, Tie::ToEven);
}

std::optional<double> readNumber(const QString& text) {
    bool ok = false;
    const QString trimmed = text.trimmed();
    double number = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

bool isCoatingOrMagneticUnit(const QString& unit) {
    return unit.startsWith(QStringLiteral("µm")) || unit.startsWith(QStringLiteral("ym")) ||
           unit.startsWith(QStringLiteral("Oe")) || unit.startsWith(QLatin1Char('G')) ||
           unit.startsWith(QStringLiteral("A/cm"));
}

std::optional<QString> renderBySelector(double value, const QString& selector,
                                        const QString& decimalsMode) {
    const bool threeDecimals = decimalsMode.trimmed() == QLatin1String("3");
    // Units are far more frequent than decimal counts and never start like a number; testing
    // the first character spares them the locale's number parser.
    const bool numeric = !selector.isEmpty() && (selector.front().isDigit() ||
                                                 QStringLiteral("+-.,").contains(selector.front()));
    if (const auto count = numeric ? readNumber(selector) : std::nullopt) {
        const double d = *count;
        if (d != std::trunc(d) || d < 0 || d > 3)
            return std::nullopt;
        return rounded(value, static_cast<int>(d));
    }
    if (selector.startsWith(QStringLiteral("Stat")))
        return rounded(value, threeDecimals ? 3 : 2);
    if (threeDecimals)
        // The pattern alone decides the last digit here, as digit placeholders do: ties go away
        // from zero.
        return renderPattern(value, 3, Tie::AwayFromZero);
    if (isCoatingOrMagneticUnit(selector))
        return value >= 100 ? rounded(value, 0) : rounded(value, 1);
    if (selector.startsWith(QStringLiteral("mi")))
        return value >= 10 ? rounded(value, 1) : rounded(value, 2);
    return std::nullopt;
}

} // namespace

std::optional<QString> FormatValue(double value, const QString& selector,
                                   const QString& decimalsMode) {
    const auto text = renderBySelector(value, selector.trimmed(), decimalsMode);
    if (!text)
        return std::nullopt;
    return Ausrichten(TableWidth, *text, QStringLiteral(" "), false);
}

const QString& FormattedValue::format(double value, const QString& selector,
                                      const QString& decimalsMode) {
    if (auto text = FormatValue(value, selector, decimalsMode))
        m_text = std::move(*text);
    return m_text;
}

QString Ausrichten(int maxLaenge, const QString& sText, const QString& sFuell, bool bKuerzen) {
    const auto length = sText.size();
    if (length < maxLaenge) {
        // An empty fill text has no first character; a blank keeps the column width.
        const QChar fill = sFuell.isEmpty() ? QLatin1Char(' ') : sFuell.front();
        return QString(maxLaenge - length, fill) + sText;
    }
    if (length > maxLaenge && bKuerzen)
        return sText.left(std::max(maxLaenge, 0));
    return sText;
}

QString AusrichtenL(int maxLaenge, const QString& sText) {
    if (maxLaenge <= 0)
        return QString();
    return (sText.trimmed() + QString(maxLaenge, QLatin1Char(' '))).left(maxLaenge);
}

double RoundHalfEven(double value, int decimals) {
    if (!std::isfinite(value) || value == 0)
        return value;
    decimals = std::clamp(decimals, -DecimalsBound, DecimalsBound);
    const ScaledDigits scaled = roundDigits(value, decimals, Tie::ToEven);
    if (scaled.exact)
        return value;
    if (scaled.digits == "0")
        return 0.0;
    // No decimal point in this text, so the C library reads it the same in every locale; it
    // saturates to infinity where rounding up passes the largest double.
    const std::string text =
        (scaled.negative ? "-" : "") + scaled.digits + "e" + std::to_string(-scaled.decimals);
    return std::strtod(text.c_str(), nullptr);
}

double RoundToDecimals(double value, const QString& decimals) {
    const auto count = readNumber(decimals);
    if (!count)
        return value;
    const double bound = DecimalsBound;
    const double whole = RoundHalfEven(std::clamp(*count, -bound, bound), 0);
    return RoundHalfEven(value, static_cast<int>(whole));
}

int GetDecimalsInt(double vNumber) {
    if (!std::isfinite(vNumber))
        return 0;
    // The magnitude, so that negative numbers answer as positive ones do; rounding the whole
    // value keeps the three decimals the user typed (2.05 is 2.04999... as a double).
    const ScaledDigits scaled = roundDigits(std::fabs(vNumber), 3, Tie::ToEven);
    std::string digits = scaled.digits;
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    int fraction = std::stoi(digits.substr(digits.size() - 3));
    // Written out as a decimal, 0.250 reads 0.25: trailing zeros are not part of the digits.
    while (fraction != 0 && fraction % 10 == 0)
        fraction /= 10;
    return fraction;
}
