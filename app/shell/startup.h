#pragma once
#include <QString>
#include <QStringList>

class QApplication;
class QStackedWidget;
class QTranslator;

// What the user asked for on the command line. It also holds for the instance
// that a language change restarts.
struct StartupOptions {
    QString dataDir;              // --data-dir: local data in place of the executable's folder
    QStringList instrumentDirs;   // --instrument: folders presented as instrument drives
    bool demo = false;            // --demo: the built-in demo instrument

    // The options again, with absolute paths, for a restarted instance.
    QStringList toArguments() const;
};

namespace Startup {

// Parses the command line; --help and bad options end the process here.
StartupOptions parseOptions(const QStringList &arguments);
// Points the local data and the extra instrument volumes at what the options say.
void applyOptions(const StartupOptions &options);
// The arguments a restarted instance gets: those of the last applyOptions().
QStringList restartArguments();

void setApplicationFont();
// First run: the driver installer, then the language question. Otherwise the
// stored language. Loads the catalog into translator and installs it.
void chooseLanguage(QTranslator &translator);
// The page stack with the main window (page 0) and the viewer (page 1),
// titled, placed and shown.
QStackedWidget *buildPageStack();

// The whole start-up, from the font to the event loop.
int run(QApplication &app);

// Path of the first-run driver installer, beside the executable.
QString installerPath();
constexpr int installerTimeoutMs = 30000;

} // namespace Startup
