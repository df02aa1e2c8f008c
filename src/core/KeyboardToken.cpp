#include "core/KeyboardToken.h"

#include <QFile>
#include <QSaveFile>

namespace {

QString TokenPath(const QString& folder) {
    return folder + QStringLiteral("/TastaturPortal.token");
}

} // namespace

QString ReadKeyboardToken(const QString& folder) {
    QFile file(TokenPath(folder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

bool WriteKeyboardToken(const QString& folder, const QString& token) {
    const QString path = TokenPath(folder);
    if (token.isEmpty())
        return !QFile::exists(path) || QFile::remove(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(token.toUtf8() + '\n');
    return file.commit();
}
