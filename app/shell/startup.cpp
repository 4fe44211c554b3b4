#include "startup.h"
#include "demoinstrument.h"
#include "language.h"
#include "localpaths.h"
#include "mainwindow.h"
#include "medidas.h"
#include "mountedvolumes.h"
#include "processrunner.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QInputDialog>
#include <QStackedWidget>
#include <QTranslator>

namespace {
QStringList &storedRestartArguments()
{
    static QStringList args;
    return args;
}
} // namespace

QStringList StartupOptions::toArguments() const
{
    QStringList args;
    if (!dataDir.isEmpty())
        args << QStringLiteral("--data-dir") << QFileInfo(dataDir).absoluteFilePath();
    for (const QString &dir : instrumentDirs)
        args << QStringLiteral("--instrument") << QFileInfo(dir).absoluteFilePath();
    if (demo)
        args << QStringLiteral("--demo");
    return args;
}

namespace Startup {

StartupOptions parseOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("NVX-2200 noise dosimeter: measurements, reports and configuration."));
    parser.addHelpOption();
    QCommandLineOption dataDir(QStringLiteral("data-dir"),
                               QStringLiteral("Keep the local data (lingua.lg, Z2registros/) in DIR instead of the program's folder."),
                               QStringLiteral("DIR"));
    QCommandLineOption instrument(QStringLiteral("instrument"),
                                  QStringLiteral("Present DIR as a connected, writable NVX2200 drive (after the real volumes)."),
                                  QStringLiteral("DIR"));
    QCommandLineOption demo(QStringLiteral("demo"),
                            QStringLiteral("Use the built-in demo instrument (made on first use in the local data folder) "
                                           "instead of real drives."));
    parser.addOption(dataDir);
    parser.addOption(instrument);
    parser.addOption(demo);
    parser.process(arguments);

    StartupOptions options;
    options.dataDir = parser.value(dataDir);
    options.instrumentDirs = parser.values(instrument);
    options.demo = parser.isSet(demo);
    return options;
}

void applyOptions(const StartupOptions &options)
{
    LocalPaths::setApplicationDir(options.dataDir.isEmpty() ? QString() : QFileInfo(options.dataDir).absoluteFilePath());
    if (!options.dataDir.isEmpty())
        QDir().mkpath(LocalPaths::applicationDir());
    MountedVolumes::clearExtra();
    if (options.demo) {
        // The demo never looks at, let alone writes to, the real drives.
        MountedVolumes::setSource([] { return QList<MountedVolume>(); });
        MountedVolumes::addExtra(MountedVolumes::instrumentVolumeAt(DemoInstrument::ensure()));
    }
    for (const QString &dir : options.instrumentDirs)
        MountedVolumes::addExtra(MountedVolumes::instrumentVolumeAt(QFileInfo(dir).absoluteFilePath()));
    storedRestartArguments() = options.toArguments();
}

QStringList restartArguments()
{
    return storedRestartArguments();
}

void setApplicationFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::Monospace, QFont::PreferDefault);
    QApplication::setFont(font);
}

QString installerPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Drivers/DFU_Driver/Halvex32Bootloader.bat");
}

void chooseLanguage(QTranslator &translator)
{
    if (!Language::isStored()) {
        ProcessRunner::current().runAndWait(installerPath(), installerTimeoutMs);

        const QStringList choices{QStringLiteral("Português"), QStringLiteral("English"), QStringLiteral("Español")};
        bool ok = false;
        const QString choice = QInputDialog::getItem(nullptr, QObject::tr("Selecione o Idioma"), QObject::tr("Idioma:"),
                                                     choices, 0, false, &ok);
        if (ok) {
            const QString catalog = Language::catalogForFirstRunChoice(choice);
            translator.load(catalog);
            Language::store(catalog);
        }
    } else {
        // A failed load leaves the source texts; it is not reported.
        translator.load(Language::storedCatalog());
    }
    QCoreApplication::installTranslator(&translator);
}

QStackedWidget *buildPageStack()
{
    auto *pageStack = new QStackedWidget();
    auto *mainWindow = new MainWindow(nullptr);
    pageStack->addWidget(mainWindow);
    mainWindow->setPageStack(pageStack);
    auto *viewer = new Medidas(nullptr);
    pageStack->addWidget(viewer);
    viewer->setPageStack(pageStack);

    pageStack->setWindowTitle(QStringLiteral("Dosímetro de Ruído - Tervanis"));
    pageStack->setCurrentIndex(0);
    pageStack->setGeometry(0, 0, 1300, 600);
    pageStack->show();
    // Set once the window is up; it affects the dialogs created from now on.
    QCoreApplication::setAttribute(Qt::AA_DisableWindowContextHelpButton);
    return pageStack;
}

int run(QApplication &app)
{
    applyOptions(parseOptions(app.arguments()));
    setApplicationFont();
    QTranslator translator;
    chooseLanguage(translator);
    buildPageStack();
    return app.exec();
}

} // namespace Startup
