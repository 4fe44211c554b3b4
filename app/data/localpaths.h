#pragma once
#include <QString>

// Where dosedesk keeps its local data. By default the folder of the
// executable; --data-dir and tests point it elsewhere. Every local path of the
// application is built here, so that nothing else knows the folder names.
namespace LocalPaths {

QString applicationDir();
// Empty restores the executable's folder.
void setApplicationDir(const QString &dir);

QString languageFile();     // applicationDir() + "/lingua.lg"
QString archiveDir();       // applicationDir() + "/Z2registros/"
QString pdfDir();           // archiveDir() + "Arquivos PDF/"
QString profileDir();       // archiveDir() + "Perfil" (no trailing "/")
QString profileFile();      // profileDir() + "/perfil.id"
QString localConfigFile();  // profileDir() + "/config_nvx2200.cfg"

} // namespace LocalPaths
