#pragma once
#include <QString>
#include <QStringList>

// Moving measurement files between the instrument, the archive and other
// folders. A copy never replaces an existing file; failures are silent, as
// the table or the archive listing afterwards shows what arrived.
namespace MeasurementFiles {

// The one filter of the import and export choosers.
QString fileFilter();

// Name filters of a measurement's three files.
QStringList nameFilters();  // "*.head", "*.dat", "*.hist"

// Base name of a measurement file: the text before its first "." (empty
// parts skipped, so ".x.head" gives "x").
QString baseName(const QString &fileName);
// Text between the first and second "." (empty parts skipped): "head" for
// M001.head, "b" for a.b.head.
QString secondPart(const QString &fileName);

// Copies from to to unless to exists. True when the copy was made.
bool copyWithoutReplacing(const QString &from, const QString &to);

// Removes every *.head, *.dat and *.hist file of dir (nothing else);
// returns the names it removed.
QStringList deleteMeasurementFiles(const QString &dir);

// Import: copies each file to archiveDir + its file name (archiveDir ends
// with "/"); returns the files created.
QStringList importInto(const QStringList &files, const QString &archiveDir);

// Export: copies each file to folder + "/" + its file name. An empty folder
// (a cancelled chooser) copies nothing. Returns the files created.
QStringList exportTo(const QStringList &files, const QString &folder);

} // namespace MeasurementFiles
