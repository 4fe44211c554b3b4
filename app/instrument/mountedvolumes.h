#pragma once
#include <QList>
#include <QString>
#include <functional>

// One mounted volume as the instrument scan sees it.
struct MountedVolume {
    QString rootPath;
    QString name;
    bool valid = true;
    bool ready = true;
    bool readOnly = false;
};

// The list of mounted volumes, in the platform's order. Production asks
// QStorageInfo; tests install their own list. Volumes added with addExtra()
// (--instrument, --demo) come after the platform's.
namespace MountedVolumes {

using Source = std::function<QList<MountedVolume>()>;

QList<MountedVolume> list();
// An empty source restores the platform's list.
void setSource(Source source);
void addExtra(const MountedVolume &volume);
void clearExtra();

// A valid, ready, writable volume named like the instrument, rooted at dir.
MountedVolume instrumentVolumeAt(const QString &dir);

} // namespace MountedVolumes
