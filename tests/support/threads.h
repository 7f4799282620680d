#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>

// The names of this process's threads that run a batch, sorted, as the system lists them.
inline QStringList batchThreads()
{
    QStringList names;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly)) {
            const QString name = QString::fromUtf8(comm.readAll()).trimmed();
            if (name.startsWith(QLatin1String("zandrel-")))
                names << name;
        }
    }
    names.sort();
    return names;
}
