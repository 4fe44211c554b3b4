#pragma once
// Shared by the fuzz targets. The readers take file paths, so each input is
// written to a file in a scratch folder of the fuzzing process first.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// In memory where possible: the writers sync every file they replace, which
// on a disk would hold each run to a few executions per second.
inline QString scratchPath(const char *name)
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/dosedesk-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/dosedesk-fuzz-XXXXXX"));
    return dir.filePath(QString::fromLatin1(name));
}

inline QString writeInput(const uint8_t *data, size_t size, const char *name)
{
    const QString path = scratchPath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        fprintf(stderr, "cannot write the input to %s\n", qPrintable(path));
        abort();
    }
    return path;
}

// A property the readers must keep for any input; a breach ends the run.
#define FUZZ_CHECK(cond)                                                                     \
    do {                                                                                     \
        if (!(cond)) {                                                                       \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);        \
            abort();                                                                         \
        }                                                                                    \
    } while (0)
