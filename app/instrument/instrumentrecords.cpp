#include "instrumentrecords.h"
#include "measurementfiles.h"
#include "medicao.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

bool allDownloaded = false;

namespace InstrumentRecords {

namespace {
QFileInfoList headerFiles(const QString &dir, QDir::SortFlags sort = QDir::NoSort)
{
    return QDir(dir).entryInfoList({QStringLiteral("*.head")}, QDir::Files, sort);
}
} // namespace

SyncLists syncLists(const QString &instrumentDir, const QString &archiveDir)
{
    const QFileInfoList onInstrument = headerFiles(instrumentDir);
    // A set, not a pairwise comparison: instruments and archives of a few
    // thousand measurements are common.
    const QStringList archived = QDir(archiveDir).entryList({QStringLiteral("*.head")}, QDir::Files);
    const QSet<QString> inArchive(archived.cbegin(), archived.cend());
    SyncLists lists;
    for (const QFileInfo &a : onInstrument)
        if (inArchive.contains(a.fileName()))
            lists.syncedHeaderPaths << a.absoluteFilePath();
    for (const QFileInfo &a : onInstrument)
        lists.instrumentMeasurementNames << MeasurementFiles::baseName(a.fileName());
    return lists;
}

QList<Row> rows(const QString &instrumentDir, const QStringList &syncedHeaderPaths, Medicao *lastRead)
{
    QList<Row> out;
    const QSet<QString> synced(syncedHeaderPaths.cbegin(), syncedHeaderPaths.cend());
    const QFileInfoList entries = headerFiles(instrumentDir, QDir::Name | QDir::Reversed);
    for (const QFileInfo &entry : entries) {
        Medicao record;
        record.readHeader(entry.absoluteFilePath());
        Row row;
        row.fileName = entry.fileName();
        // Header values are never empty, so the row always has its four cells.
        row.cells = (record.nome_da_medicao() + ';' + record.data_medicao() + ';' + record.inicio_medicao() + ';'
                     + record.duracao_medicao() + ';')
                        .split(QLatin1Char(';'), Qt::SkipEmptyParts);
        row.synced = synced.contains(entry.absoluteFilePath());
        if (lastRead)
            *lastRead = record;
        out << row;
    }
    return out;
}

QStringList downloadAllMissing(const QString &instrumentDir, const QString &archiveDir,
                               const QString &company, const QString &technician, Medicao *record)
{
    QDir instrument(instrumentDir);
    instrument.setNameFilters(MeasurementFiles::nameFilters());
    instrument.setFilter(QDir::Files);
    const QStringList names = syncLists(instrumentDir, archiveDir).instrumentMeasurementNames;
    const QStringList files = instrument.entryList();
    QStringList copied;
    for (const QString &f : files) {
        const QString base = MeasurementFiles::baseName(f);
        for (const QString &n : names) {
            if (n != base)
                continue;
            if (!QFile::exists(archiveDir + f)) {
                if (MeasurementFiles::copyWithoutReplacing(instrumentDir + f, archiveDir + f)) {
                    copied << f;
                    if (MeasurementFiles::secondPart(f) == QLatin1String("head"))
                        record->rewriteEvaluator(archiveDir + f, company, technician);
                }
            }
            instrument.refresh();
        }
    }
    return copied;
}

void downloadOne(const QString &instrumentDir, const QString &archiveDir, const QString &baseName,
                 const QString &company, const QString &technician, Medicao *record)
{
    for (const char *ext : {".head", ".dat", ".hist"}) {
        const QString name = baseName + QLatin1String(ext);
        if (MeasurementFiles::copyWithoutReplacing(instrumentDir + name, archiveDir + name)
            && qstrcmp(ext, ".hist") == 0)
            qDebug().noquote() << "foi o " + name;
    }
    record->rewriteEvaluator(archiveDir + baseName + QStringLiteral(".head"), company, technician);
}

} // namespace InstrumentRecords
