#include "mountedvolumes.h"
#include "instrumentscan.h"

#include <QStorageInfo>

namespace {
MountedVolumes::Source &source()
{
    static MountedVolumes::Source s;
    return s;
}
QList<MountedVolume> &extra()
{
    static QList<MountedVolume> e;
    return e;
}
QList<MountedVolume> systemVolumes()
{
    QList<MountedVolume> out;
    const auto volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &v : volumes) {
        MountedVolume m;
        m.rootPath = v.rootPath();
        m.name = v.name();
        m.valid = v.isValid();
        m.ready = v.isReady();
        m.readOnly = v.isReadOnly();
        out.append(m);
    }
    return out;
}
} // namespace

namespace MountedVolumes {

QList<MountedVolume> list()
{
    QList<MountedVolume> out = source() ? source()() : systemVolumes();
    out += extra();
    return out;
}

void setSource(Source s) { source() = std::move(s); }
void addExtra(const MountedVolume &volume) { extra().append(volume); }
void clearExtra() { extra().clear(); }

MountedVolume instrumentVolumeAt(const QString &dir)
{
    MountedVolume v;
    v.rootPath = dir;
    v.name = InstrumentScan::volumeName();
    return v;
}

} // namespace MountedVolumes
