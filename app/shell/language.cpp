#include "language.h"
#include "localpaths.h"

#include "textfile.h"

#include <QFile>

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
    return TextFile::readLines(LocalPaths::languageFile()).value(0);
}

bool store(const QString &catalog)
{
    return TextFile::write(LocalPaths::languageFile(), catalog);
}

} // namespace Language
