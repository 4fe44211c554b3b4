#include "evaluatorprofile.h"
#include "textfile.h"

#include <QFile>

namespace EvaluatorProfile {

bool read(const QString &path, QStringList *parts)
{
    if (!QFile::exists(path))
        return false;
    bool ok = false;
    const QStringList lines = TextFile::readLines(path, &ok);
    if (!ok)
        return false;
    *parts = lines.value(0).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return true;
}

bool save(const QString &path, const QString &company, const QString &technician1, const QString &technician2)
{
    const QString line = company + QLatin1Char(' ') + QLatin1Char(';') + technician1 + QLatin1Char(' ')
                         + QLatin1Char(';') + technician2 + QLatin1Char(' ');
    return TextFile::write(path, line);
}

QString editableValue(const QString &stored)
{
    return stored.endsWith(QLatin1Char(' ')) ? stored.left(stored.size() - 1) : stored;
}

} // namespace EvaluatorProfile
