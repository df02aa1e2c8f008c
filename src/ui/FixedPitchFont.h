#pragma once

#include <QFont>
#include <QString>

// The font by name at the given size, with the type-writer hint so that where it is missing a
// monospaced font stands in; the system's fixed font when even that is proportional.
QFont FixedPitchFont(int pointSize, const QString& family = QStringLiteral("Lucida Console"));
