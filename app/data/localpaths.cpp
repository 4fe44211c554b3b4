#include "localpaths.h"

#include <QCoreApplication>

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}
} // namespace

namespace LocalPaths {

QString applicationDir()
{
    const QString &dir = overrideDir();
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

void setApplicationDir(const QString &dir)
{
    QString d = dir;
    while (d.size() > 1 && d.endsWith(QLatin1Char('/')))
        d.chop(1);
    overrideDir() = d;
}

QString languageFile() { return applicationDir() + QStringLiteral("/lingua.lg"); }
QString archiveDir() { return applicationDir() + QStringLiteral("/Z2registros/"); }
QString pdfDir() { return archiveDir() + QStringLiteral("Arquivos PDF/"); }
QString profileDir() { return archiveDir() + QStringLiteral("Perfil"); }
QString profileFile() { return profileDir() + QStringLiteral("/perfil.id"); }
QString localConfigFile() { return profileDir() + QStringLiteral("/config_nvx2200.cfg"); }

} // namespace LocalPaths
