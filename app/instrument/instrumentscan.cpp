#include "instrumentscan.h"

#include "textfile.h"

bool tableStale = true;

namespace InstrumentScan {

QString volumeName() { return QStringLiteral("NVX2200"); }
QString measurementFolderName() { return QStringLiteral("NVX2200"); }
QString configFileName() { return QStringLiteral("config_nvx2200.cfg"); }

bool isInstrument(const MountedVolume &v)
{
    return v.valid && v.ready && v.name == volumeName();
}

Outcome scan(const QList<MountedVolume> &volumes)
{
    Outcome out;
    for (const MountedVolume &v : volumes) {
        if (!isInstrument(v)) {
            out.sawOtherVolume = true;
            out.look = Look::Disconnected;
            out.connected = false;
            continue;
        }
        // The root is remembered before the read-only test, so that a later
        // rebuild still lists a write-protected instrument's measurements.
        out.rootSeen = true;
        out.root = v.rootPath;
        if (v.readOnly)
            continue;
        out.look = Look::Connected;
        out.connected = true;
        break;
    }
    return out;
}

QString instrumentDirFor(const QString &instrumentRoot)
{
    return instrumentRoot + QStringLiteral("/") + measurementFolderName() + QStringLiteral("/");
}

QString readInstrumentId(const QString &instrumentDir)
{
    return TextFile::readLines(instrumentDir + QStringLiteral("/") + configFileName()).value(0);
}

} // namespace InstrumentScan
