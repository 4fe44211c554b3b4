#pragma once
#include <QString>
#include <QStringList>

class Medicao;

// Set by "Baixar Tudo" once it has copied, cleared by deleting the
// instrument's data; it words the delete question. Lives for the run only.
extern bool allDownloaded;

// The measurements on the instrument as the records table lists them, and
// their download into the local archive.
namespace InstrumentRecords {

struct SyncLists {
    // Absolute paths of the instrument's header files whose file name (exact,
    // case-sensitive) is also a header file name in the archive.
    QStringList syncedHeaderPaths;
    // For each header file on the instrument, its base name.
    QStringList instrumentMeasurementNames;
};
SyncLists syncLists(const QString &instrumentDir, const QString &archiveDir);

struct Row {
    QString fileName;    // the header file shown in the row
    QStringList cells;   // name, date, start, duration (as read)
    bool synced = false;
};
// One row per header file on the instrument, in reverse name order. Each
// header is read into a fresh record; the last one read is left in lastRead.
QList<Row> rows(const QString &instrumentDir, const QStringList &syncedHeaderPaths, Medicao *lastRead);

// "Baixar Tudo": copies every instrument file of a measurement whose header
// is on the instrument and that the archive lacks, and stamps each copied
// header whose second name part is "head". Returns the files copied.
QStringList downloadAllMissing(const QString &instrumentDir, const QString &archiveDir,
                               const QString &company, const QString &technician, Medicao *record);

// One measurement: its three files, none replacing an archive file, then the
// archive header is stamped whatever the copies did.
void downloadOne(const QString &instrumentDir, const QString &archiveDir, const QString &baseName,
                 const QString &company, const QString &technician, Medicao *record);

} // namespace InstrumentRecords
