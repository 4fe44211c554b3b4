#pragma once
#include <QString>

// The interface language: the compiled catalog whose path lingua.lg holds.
namespace Language {

QString portugueseCatalog();  // ":/Translate/portugues.qm"
QString englishCatalog();     // ":/Translate/ingles.qm"
QString spanishCatalog();     // ":/Translate/espanhol.qm"

// The first-run choices are shown in their own language, untranslated.
// "Español" and "English" map to their catalogs; anything else to Portuguese.
QString catalogForFirstRunChoice(const QString &choice);

// lingua.lg absent means a first run.
bool isStored();
// The first line of lingua.lg, without its line end; empty when unreadable.
QString storedCatalog();
// Writes catalog as the whole content of lingua.lg, with no line end.
// Returns false when the file cannot be written.
bool store(const QString &catalog);

} // namespace Language
