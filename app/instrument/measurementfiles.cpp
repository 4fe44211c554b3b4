#include "measurementfiles.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace MeasurementFiles {

QString fileFilter()
{
    return QStringLiteral("Todos Arquivos (*.dat *.head *.hist) ;; Arquivos da Medida (*.head) ;; "
                          "Dados da Medida (*dat) ;; Dados da Resultante (*hist)");
}

QStringList nameFilters()
{
    return {QStringLiteral("*.head"), QStringLiteral("*.dat"), QStringLiteral("*.hist")};
}

QString baseName(const QString &fileName)
{
    return fileName.split(QLatin1Char('.'), Qt::SkipEmptyParts).value(0);
}

QString secondPart(const QString &fileName)
{
    return fileName.split(QLatin1Char('.'), Qt::SkipEmptyParts).value(1);
}

bool copyWithoutReplacing(const QString &from, const QString &to)
{
    // QFile::copy refuses an existing target and writes through a temporary
    // file, so a failed copy leaves no partial file behind.
    return QFile::copy(from, to);
}

QStringList deleteMeasurementFiles(const QString &dir)
{
    QDir folder(dir);
    folder.setNameFilters(nameFilters());
    folder.setFilter(QDir::Files);
    const QStringList names = folder.entryList();
    QStringList removed;
    for (const QString &name : names) {
        qDebug().noquote() << "Arquivo deletado: " + name;
        if (folder.remove(name))
            removed << name;
        folder.refresh();
    }
    return removed;
}

QStringList importInto(const QStringList &files, const QString &archiveDir)
{
    QStringList created;
    for (const QString &file : files) {
        const QString target = archiveDir + QFileInfo(file).fileName();
        if (copyWithoutReplacing(file, target)) {
            qDebug().noquote() << " foi criado no :" + file + " --> E no: " + target;
            created << target;
        }
    }
    return created;
}

QStringList exportTo(const QStringList &files, const QString &folder)
{
    QStringList created;
    if (folder.isEmpty())
        return created;
    for (const QString &file : files) {
        const QString target = folder + QLatin1Char('/') + QFileInfo(file).fileName();
        if (copyWithoutReplacing(file, target))
            created << target;
    }
    return created;
}

} // namespace MeasurementFiles
