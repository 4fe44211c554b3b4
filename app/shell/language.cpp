#include "language.h"
#include "localpaths.h"

#include <QFile>
#include <QTextStream>

namespace Language {

QString portugueseCatalog() { return QStringLiteral(":/Translate/portugues.qm"); }
QString englishCatalog() { return QStringLiteral(":/Translate/ingles.qm"); }
QString spanishCatalog() { return QStringLiteral(":/Translate/espanhol.qm"); }

QString catalogForFirstRunChoice(const QString &choice)
{
    if (choice == QStringLiteral("Español"))
        return spanishCatalog();
    if (choice == QStringLiteral("English"))
        return englishCatalog();
    return portugueseCatalog();
}

bool isStored()
{
    return QFile::exists(LocalPaths::languageFile());
}

QString storedCatalog()
{
    QFile f(LocalPaths::languageFile());
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream in(&f);
    in.setCodec("Windows-1252");
    return in.readLine();
}

bool store(const QString &catalog)
{
    QFile f(LocalPaths::languageFile());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return false;
    QTextStream out(&f);
    out.setCodec("Windows-1252");
    out << catalog;
    out.flush();
    return out.status() == QTextStream::Ok && f.error() == QFileDevice::NoError;
}

} // namespace Language
