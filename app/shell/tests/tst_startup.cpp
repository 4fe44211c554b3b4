#include "dialogdriver.h"
#include "language.h"
#include "mainwindow.h"
#include "medidas.h"
#include "startup.h"
#include "testenv.h"

#include <QAction>
#include <QInputDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <memory>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstRunAsksAndStores_data();
    void firstRunAsksAndStores();
    void firstRunCancelledStoresNothing();
    void storedLanguage_data();
    void storedLanguage();
    void pageStackAndWindow();
    void applicationFont();
    void optionsHoldForRestart();

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<QTranslator> translator;
};

void StartupTest::init()
{
    env.reset(new TestEnv);
    translator.reset(new QTranslator);
}

void StartupTest::cleanup()
{
    QCoreApplication::removeTranslator(translator.get());
    translator.reset();
    env.reset();
}

static QString mainWindowText(const char *source)
{
    return QCoreApplication::translate("MainWindow", source);
}

void StartupTest::firstRunAsksAndStores_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("connectText");
    QTest::newRow("English") << "English" << QByteArray(":/Translate/ingles.qm") << "Connect";
    QTest::newRow("Español") << QString::fromUtf8("Español") << QByteArray(":/Translate/espanhol.qm") << "Conectar";
    QTest::newRow("Português") << QString::fromUtf8("Português") << QByteArray(":/Translate/portugues.qm") << "Conectar";
}

void StartupTest::firstRunAsksAndStores()
{
    QFETCH(QString, choice);
    QFETCH(QByteArray, stored);
    QFETCH(QString, connectText);

    QString title, label;
    QStringList items;
    auto driver = DialogDriver::on<QInputDialog>([&](QInputDialog *d) {
        title = d->windowTitle();
        label = d->labelText();
        items = d->comboBoxItems();
        d->setTextValue(choice);
        d->accept();
    }, QString());

    Startup::chooseLanguage(*translator);
    QVERIFY(driver->fired());

    // The installer runs first, with the fixed path and wait.
    QCOMPARE(env->processes.runs.size(), 1);
    QCOMPARE(env->processes.runs[0].program, QCoreApplication::applicationDirPath() + "/Drivers/DFU_Driver/Halvex32Bootloader.bat");
    QCOMPARE(env->processes.runs[0].timeoutMs, 30000);

    // No translator yet: the question is in Portuguese, the choices in their own language.
    QCOMPARE(title, QString("Selecione o Idioma"));
    QCOMPARE(label, QString("Idioma:"));
    QCOMPARE(items, (QStringList{QString::fromUtf8("Português"), "English", QString::fromUtf8("Español")}));

    QCOMPARE(readFile(env->path("lingua.lg")), stored);
    QCOMPARE(mainWindowText("Conectar"), connectText);
    if (choice == QString::fromUtf8("Português"))  // the Portuguese catalog changes some texts
        QCOMPARE(mainWindowText("Usuario 1"), QString::fromUtf8("Usuário 1"));
}

void StartupTest::firstRunCancelledStoresNothing()
{
    auto driver = DialogDriver::on<QInputDialog>([](QInputDialog *d) { d->reject(); }, QString());
    Startup::chooseLanguage(*translator);
    QVERIFY(driver->fired());

    QVERIFY(!QFile::exists(env->path("lingua.lg")));
    QVERIFY(translator->isEmpty());
    QCOMPARE(mainWindowText("Usuario 1"), QString("Usuario 1"));
    QCOMPARE(env->processes.runs.size(), 1);

    // The next start is again a first run: installer and question once more.
    auto again = DialogDriver::on<QInputDialog>([](QInputDialog *d) { d->reject(); }, QString());
    Startup::chooseLanguage(*translator);
    QVERIFY(again->fired());
    QCOMPARE(env->processes.runs.size(), 2);
}

void StartupTest::storedLanguage_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("connectText");
    QTest::newRow("path with CR LF") << QByteArray(":/Translate/ingles.qm\r\n") << "Connect";
    QTest::newRow("path with LF and more lines") << QByteArray(":/Translate/ingles.qm\nignored\n") << "Connect";
    QTest::newRow("Spanish") << QByteArray(":/Translate/espanhol.qm") << QString::fromUtf8("Conectar");
    QTest::newRow("a choice, not a path") << QByteArray("English") << "Conectar";
    QTest::newRow("empty") << QByteArray() << "Conectar";
    QTest::newRow("binary") << QByteArray("\x00\xff\x01:/Translate", 13) << "Conectar";
}

void StartupTest::storedLanguage()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, connectText);
    QVERIFY(writeFile(env->path("lingua.lg"), content));

    // No question may be asked: a dialog would block until the driver rejects it.
    auto driver = DialogDriver::on<QInputDialog>([](QInputDialog *d) { d->reject(); }, QString());
    Startup::chooseLanguage(*translator);
    QVERIFY(!driver->fired());
    QVERIFY(env->processes.runs.isEmpty());

    QCOMPARE(mainWindowText("Conectar"), connectText);
    QCOMPARE(readFile(env->path("lingua.lg")), content);  // read, never rewritten
}

void StartupTest::pageStackAndWindow()
{
    QVERIFY(writeFile(env->path("lingua.lg"), ":/Translate/ingles.qm"));
    Startup::chooseLanguage(*translator);
    std::unique_ptr<QStackedWidget> stack(Startup::buildPageStack());

    QCOMPARE(stack->windowTitle(), QString::fromUtf8("Dosímetro de Ruído - Tervanis"));
    QCOMPARE(stack->count(), 2);
    auto *main = qobject_cast<MainWindow *>(stack->widget(0));
    auto *viewer = qobject_cast<Medidas *>(stack->widget(1));
    QVERIFY(main && viewer);
    QVERIFY(!main->parent() || main->parent() == stack.get());
    QCOMPARE(stack->currentIndex(), 0);
    QVERIFY(stack->isVisible());
    QVERIFY(!stack->isMaximized());
    // 1300 x 600, grown only where a page's minimum size asks for more.
    QCOMPARE(stack->size(), QSize(1300, 600).expandedTo(stack->minimumSizeHint()));
    QCOMPARE(stack->width(), 1300);
    QCOMPARE(stack->pos(), QPoint(0, 0));
    QVERIFY(QCoreApplication::testAttribute(Qt::AA_DisableWindowContextHelpButton));

    // The main window comes up in the stored language.
    QCOMPARE(main->findChild<QPushButton *>("pushButton_2")->text(), QString("Connect"));

    // Each page holds the stack: records and back switch between them.
    QTest::mouseClick(main->findChild<QToolButton *>("toolButton_Registros"), Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 1);
    QTest::mouseClick(viewer->findChild<QToolButton *>("voltarMenu"), Qt::LeftButton);
    QCOMPARE(stack->currentIndex(), 0);
    main->findChild<QAction *>("actionRegistros")->trigger();
    QCOMPARE(stack->currentIndex(), 1);
}

void StartupTest::applicationFont()
{
    Startup::setApplicationFont();
    const QFont f = QApplication::font();
    QCOMPARE(f.family(), QString("Arial"));
    QCOMPARE(f.styleHint(), QFont::Monospace);
    QVERIFY(!f.italic());
    QCOMPARE(f.weight(), int(QFont::Normal));
    // fonts-liberation stands in for Arial with the same metrics.
    QVERIFY(QFontInfo(f).family().contains("Liberation Sans") || QFontInfo(f).family() == "Arial");
}

void StartupTest::optionsHoldForRestart()
{
    QTemporaryDir other;
    const QString data = other.path() + "/data";
    const QString drive = makeInstrumentDrive(other.path() + "/drive", "nvx2200_01_12345");
    const StartupOptions options = Startup::parseOptions({"dosedesk", "--data-dir", data, "--instrument", drive});
    QCOMPARE(options.dataDir, data);
    QCOMPARE(options.instrumentDirs, QStringList{drive});

    Startup::applyOptions(options);
    QCOMPARE(LocalPaths::applicationDir(), data);
    QVERIFY(QDir(data).exists());
    QCOMPARE(LocalPaths::languageFile(), data + "/lingua.lg");
    QCOMPARE(LocalPaths::archiveDir(), data + "/Z2registros/");

    // The instrument folder comes after the platform's volumes, named as the instrument.
    env->volumes = {MountedVolume{"/", "system", true, true, false}};
    const QList<MountedVolume> volumes = MountedVolumes::list();
    QCOMPARE(volumes.size(), 2);
    QCOMPARE(volumes[1].rootPath, drive);
    QCOMPARE(volumes[1].name, QString("NVX2200"));
    QVERIFY(volumes[1].valid && volumes[1].ready && !volumes[1].readOnly);

    QCOMPARE(Startup::restartArguments(), (QStringList{"--data-dir", data, "--instrument", drive}));
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
