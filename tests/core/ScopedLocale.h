#pragma once

#include "core/QStringPrinter.h"

#include <QLocale>

// Sets the default locale for one test and restores the previous one afterwards.
class ScopedLocale {
public:
    explicit ScopedLocale(QLocale::Language language, QLocale::Territory territory)
        : m_previous(QLocale()) {
        QLocale::setDefault(QLocale(language, territory));
    }
    ~ScopedLocale() { QLocale::setDefault(m_previous); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    QLocale m_previous;
};

// Writes "." of an expected text as the default locale's decimal separator.
inline QString Local(const QString& text) {
    return QString(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}
