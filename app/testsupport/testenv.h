#pragma once
#include "localpaths.h"
#include "mountedvolumes.h"
#include "processrunner.h"
#include "recordingprocessrunner.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A fresh application directory, no platform volumes and a process recorder,
// restored when the test ends.
struct TestEnv {
    QTemporaryDir appDir;
    RecordingProcessRunner processes;
    QList<MountedVolume> volumes;

    TestEnv()
    {
        LocalPaths::setApplicationDir(appDir.path());
        MountedVolumes::clearExtra();
        MountedVolumes::setSource([this] { return volumes; });
        ProcessRunner::setCurrent(&processes);
    }
    ~TestEnv()
    {
        ProcessRunner::setCurrent(nullptr);
        MountedVolumes::setSource({});
        MountedVolumes::clearExtra();
        LocalPaths::setApplicationDir(QString());
    }

    QString path(const QString &relative) const { return appDir.path() + QLatin1Char('/') + relative; }
};

inline bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A folder that looks like the instrument's drive: NVX2200/ with a
// configuration file whose first line is id.
inline QString makeInstrumentDrive(const QString &root, const QByteArray &id)
{
    QDir().mkpath(root + QStringLiteral("/NVX2200"));
    writeFile(root + QStringLiteral("/NVX2200/config_nvx2200.cfg"), id + "\r\n0\r\n5\r\n");
    return root;
}
