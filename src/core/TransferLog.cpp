#include "core/TransferLog.h"

#include <QFile>

void TransferLog::DeleteLog() const {
    if (m_path.isEmpty())
        return;
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.close();
}

void TransferLog::WriteLog(const QString& logtext) const {
    if (m_path.isEmpty())
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write((logtext + QStringLiteral("\r\n")).toUtf8());
}
