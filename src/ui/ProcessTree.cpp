#include "ui/ProcessTree.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <cerrno>
#include <csignal>

namespace {

// The fields of /proc/<pid>/stat after the command name (which is set in parentheses and may
// itself hold blanks and parentheses): the state first, then the parent id.
QList<QByteArray> StatusOf(const QString& pid) {
    QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2).split(' ');
}

qint64 ParentOf(const QString& pid) {
    const QList<QByteArray> fields = StatusOf(pid);
    return fields.size() > 1 ? fields[1].toLongLong() : 0;
}

} // namespace

bool ProcessRunning(qint64 pid) {
    if (pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return false;
    // An ended program that nobody has reaped yet is still listed, as a zombie.
    const QList<QByteArray> fields = StatusOf(QString::number(pid));
    return fields.isEmpty() || fields[0] != "Z";
}

QList<qint64> ProcessAndDescendants(qint64 pid) {
    QHash<qint64, QList<qint64>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const qint64 child = entry.toLongLong(&number);
        if (number)
            children[ParentOf(entry)].append(child);
    }
    QList<qint64> found{pid};
    for (qsizetype i = 0; i < found.size(); ++i)
        found.append(children.value(found[i]));
    return found;
}
