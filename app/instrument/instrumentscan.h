#pragma once
#include "mountedvolumes.h"

#include <QString>

// Set whenever a scan passes a volume that is not the instrument; cleared by
// the records-table rebuild. It decides whether a scan rebuilds the table.
extern bool tableStale;

// The rule that finds the instrument's drive among the mounted volumes:
// valid, ready, named exactly "NVX2200", writable, first in the list.
namespace InstrumentScan {

enum class Look { Unchanged, Connected, Disconnected };

struct Outcome {
    bool connected = false;       // a writable instrument drive was found
    bool rootSeen = false;        // an instrument drive (even read-only) was passed
    QString root;                 // root path of the last instrument drive passed
    bool sawOtherVolume = false;  // some volume before the end was not the instrument
    Look look = Look::Unchanged;  // the look the window is left with
};

QString volumeName();                 // "NVX2200"
QString measurementFolderName();      // "NVX2200"
QString configFileName();             // "config_nvx2200.cfg"

bool isInstrument(const MountedVolume &v);
Outcome scan(const QList<MountedVolume> &volumes);

// instrumentRoot + "/NVX2200/"
QString instrumentDirFor(const QString &instrumentRoot);
// First line of instrumentDir + "/config_nvx2200.cfg", without its line end;
// empty when the file is missing or unreadable.
QString readInstrumentId(const QString &instrumentDir);

} // namespace InstrumentScan
