#include "ui/FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontInfo>

QFont FixedPitchFont(int pointSize, const QString& family) {
    QFont font(family, pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(pointSize);
    return font;
}
