#pragma once

#include <QString>
#include <optional>

// Fixed-width number texts shared by the table, statistics, report and exports.
// Decimal separators follow the default QLocale.

// Renders value by selector (a decimal count "0".."3", a text beginning with "Stat", or a unit),
// right-aligned in 11 characters. Returns nothing where no rule applies; the caller then keeps the
// previous text (FormattedValue below does that).
std::optional<QString> FormatValue(double value, const QString& selector,
                                   const QString& decimalsMode);

// The shared result text of the last FormatValue call that produced one.
class FormattedValue {
public:
    const QString& format(double value, const QString& selector, const QString& decimalsMode);
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

QString Ausrichten(int maxLaenge, const QString& sText, const QString& sFuell, bool bKuerzen);
QString AusrichtenL(int maxLaenge, const QString& sText);

// Round half to even to the given number of decimals (negative: tens, hundreds, ...). Ties are
// judged on the value as written with 15 significant digits, so 2.675 gives 2.68.
double RoundHalfEven(double value, int decimals);
// The decimal count is a text in the default or the C locale, itself rounded half to even; a text
// that is no number leaves the value unchanged.
double RoundToDecimals(double value, const QString& decimals);

// The digits of the fractional part at three decimals without trailing zeros (2.25 gives 25,
// 2.05 gives 5); 0 when the number has no fractional part to three decimals. A negative number
// gives what its magnitude gives.
int GetDecimalsInt(double vNumber);
