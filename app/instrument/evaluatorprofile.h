#pragma once
#include <QString>
#include <QStringList>

// perfil.id: one line "company;technician 1;technician 2", each value as
// saved by the profile dialog, which appends one space so that none is empty.
namespace EvaluatorProfile {

// The first line split at ";" with empty parts skipped. False when the file
// does not exist or cannot be read.
bool read(const QString &path, QStringList *parts);

// Writes the three values, each followed by one space, separated by ";",
// with no line end. The old file stays when writing fails.
bool save(const QString &path, const QString &company, const QString &technician1, const QString &technician2);

// A stored value as the dialog shows it: without the one space saving adds,
// so that saving unchanged values rewrites the same bytes.
QString editableValue(const QString &stored);

} // namespace EvaluatorProfile
