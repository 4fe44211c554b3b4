#include "dialogdriver.h"
#include "instrumentscan.h"
#include "mainwindow.h"
#include "medidas.h"
#include "sobre.h"
#include "testenv.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaMethod>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <memory>

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everySlotIsBoundToItsWidget();
    void initialLookBeforeAnyCheck();
    void firstStartCreatesLocalFolders();
    void menusInOrder();
    void recordsAndBackKeepTheWindowAsItWas();
    void aboutDialogIsTheSameEachTime();
    void configureWhileDisconnectedExplains();
    void evaluatorRadioButtonsOnlySelect();

private:
    std::unique_ptr<TestEnv> env;
};

void MainWindowTest::init()
{
    env.reset(new TestEnv);
    tableStale = true;
}

void MainWindowTest::cleanup()
{
    env.reset();
}

static QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(64, 64)).toImage().convertToFormat(QImage::Format_ARGB32);
}

void MainWindowTest::everySlotIsBoundToItsWidget()
{
    // A slot whose object name or signal is misspelt is never called; Qt
    // only says so in a warning while the form is set up.
    QStringList warnings;
    static QStringList *sink;
    sink = &warnings;
    QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &msg) {
        sink->append(msg);
    });
    {
        MainWindow w(nullptr);
    }
    qInstallMessageHandler(previous);
    for (const QString &msg : warnings)
        QVERIFY2(!msg.contains("connectSlotsByName"), qPrintable(msg));

    // The slots in the order the meta-object lists them.
    const QStringList expected{
        "onTableClicked", "on_actionAdicionar_Perfil_triggered", "on_toolButton_Registros_clicked",
        "on_actionSair_triggered", "on_actionImportar_triggered", "on_actionManual_triggered",
        "on_pushButton_Manual_clicked", "on_pushButton_BaixarTudo_clicked", "on_actionRegistros_triggered",
        "on_actionConfigurar_triggered", "on_toolButton_Configurar_clicked", "on_actionSobre_triggered",
        "on_actionDeletar_Tudo_triggered", "on_pushButton_clicked", "on_radioButton_usuario1_clicked",
        "on_radioButton_usuario2_clicked", "on_actionExportar_triggered", "on_pushButton_2_clicked",
        "on_actionMudar_Idioma_triggered", "on_actionAtualizar_Firmware_triggered"};
    const QMetaObject &mo = MainWindow::staticMetaObject;
    QStringList found;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
        if (mo.method(i).methodType() == QMetaMethod::Slot)
            found << QString::fromLatin1(mo.method(i).name());
    QCOMPARE(found, expected);
}

void MainWindowTest::initialLookBeforeAnyCheck()
{
    MainWindow w(nullptr);
    auto *baixar = w.findChild<QPushButton *>("pushButton_BaixarTudo");
    auto *configurar = w.findChild<QToolButton *>("toolButton_Configurar");
    QVERIFY(!baixar->isEnabled());
    QCOMPARE(baixar->styleSheet(), QString("color:white;\nborder-radius: 10px;\nbackground-color: rgb(176, 176, 176);"));
    QCOMPARE(w.findChild<QLabel *>("label_Status")->text(), QString("Desconectado"));
    QVERIFY(!configurar->isEnabled());
    QCOMPARE(configurar->styleSheet(), QString("background-color: rgb(176, 176, 176);"));
    QCOMPARE(iconImage(configurar->icon()), iconImage(QIcon(":/imagens/icons/ICON_CONFIG2_off.png")));
    QVERIFY(!w.findChild<QAction *>("actionConfigurar")->isEnabled());
    QVERIFY(w.findChild<QRadioButton *>("radioButton_usuario1")->isChecked());
    QVERIFY(!w.findChild<QTableView *>("tableView")->model());
    QVERIFY(w.findChild<QStatusBar *>("statusBar")->currentMessage().isEmpty());
    // Only what the connection state governs is disabled.
    for (const char *name : {"actionImportar", "actionExportar", "actionDeletar_Tudo", "actionRegistros", "actionMudar_Idioma"})
        QVERIFY2(w.findChild<QAction *>(name)->isEnabled(), name);
}

void MainWindowTest::firstStartCreatesLocalFolders()
{
    QVERIFY(QDir(env->appDir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    MainWindow w(nullptr);
    QVERIFY(QDir(env->path("Z2registros")).exists());
    QVERIFY(QDir(env->path("Z2registros/Arquivos PDF")).exists());
    QVERIFY(QDir(env->path("Z2registros/Perfil")).exists());
    // A second start finds them and leaves their content alone.
    QVERIFY(writeFile(env->path("Z2registros/Perfil/keep"), "x"));
    MainWindow again(nullptr);
    QCOMPARE(readFile(env->path("Z2registros/Perfil/keep")), QByteArray("x"));
}

void MainWindowTest::menusInOrder()
{
    MainWindow w(nullptr);
    const auto entries = [&](const char *menu) {
        QStringList names;
        for (QAction *a : w.findChild<QMenu *>(menu)->actions())
            names << (a->isSeparator() ? QString("|") : a->objectName());
        return names;
    };
    QStringList bar;
    for (QAction *a : w.findChild<QMenuBar *>("menuBar")->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{"Arquivo", "Ferramentas", "Sobre"}));
    QCOMPARE(entries("menuFile"), (QStringList{"actionImportar", "actionExportar", "|", "actionSair"}));
    QCOMPARE(entries("menuFerramentas"), (QStringList{"actionAdicionar_Perfil", "actionRegistros", "actionConfigurar",
                                                      "actionDeletar_Tudo", "actionMudar_Idioma", "actionAtualizar_Firmware"}));
    QCOMPARE(entries("menuSobre"), (QStringList{"actionManual", "|", "actionSobre"}));
}

void MainWindowTest::recordsAndBackKeepTheWindowAsItWas()
{
    const QString drive = makeInstrumentDrive(env->path("drive"), "nvx2200_01_00042");
    env->volumes = {MountedVolume{drive, "NVX2200", true, true, false}};

    QStackedWidget stack;
    auto *w = new MainWindow(nullptr);
    auto *viewer = new Medidas(nullptr);
    stack.addWidget(w);
    w->setPageStack(&stack);
    stack.addWidget(viewer);
    viewer->setPageStack(&stack);

    QVERIFY(w->checkInstrumentConnection());
    QAbstractItemModel *model = w->findChild<QTableView *>("tableView")->model();
    QVERIFY(model);

    QTest::mouseClick(w->findChild<QToolButton *>("toolButton_Registros"), Qt::LeftButton);
    QCOMPARE(stack.currentIndex(), 1);
    env->volumes.clear();  // unplugged while the viewer is open
    QTest::mouseClick(viewer->findChild<QToolButton *>("voltarMenu"), Qt::LeftButton);
    QCOMPARE(stack.currentIndex(), 0);

    QCOMPARE(w->findChild<QTableView *>("tableView")->model(), model);
    QCOMPARE(w->findChild<QLabel *>("label_Status")->text(), QString("Conectado"));
    QCOMPARE(w->findChild<QLabel *>("label_IdEquipamento")->text(), QString("ID: nvx2200_01_00042"));
}

void MainWindowTest::aboutDialogIsTheSameEachTime()
{
    MainWindow w(nullptr);
    QAction *about = w.findChild<QAction *>("actionSobre");
    about->trigger();
    sobre *shown = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *s = qobject_cast<sobre *>(top); s && s->isVisible())
            shown = s;
    QVERIFY(shown);
    QVERIFY(!shown->isModal());
    QVERIFY(!(shown->windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(shown->windowTitle(), QString("Sobre"));
    QCOMPARE(shown->size(), QSize(430, 423));
    QCOMPARE(shown->findChild<QLabel *>("label_10")->text(), QString::fromUtf8("Software de gestão do Dosímetro - Versão 6.0v"));
    shown->hide();
    about->trigger();
    QVERIFY(shown->isVisible());
    int visibleAbouts = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        visibleAbouts += qobject_cast<sobre *>(top) && top->isVisible();
    QCOMPARE(visibleAbouts, 1);
    shown->hide();
}

void MainWindowTest::configureWhileDisconnectedExplains()
{
    MainWindow w(nullptr);
    QString text;
    auto driver = DialogDriver::on<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        box->button(QMessageBox::Ok)->click();
    }, "Configurar Instrumento");
    // The action is disabled in this look, but trigger() still fires it, as
    // when the instrument was removed after the last check.
    w.findChild<QAction *>("actionConfigurar")->trigger();
    QVERIFY(driver->fired());
    QCOMPARE(text, QString::fromUtf8("Equipamento desconectado.\nNão é possivel configurar o instrumento"));
    QCOMPARE(w.findChild<QLabel *>("label_Status")->text(), QString("Desconectado"));
}

void MainWindowTest::evaluatorRadioButtonsOnlySelect()
{
    MainWindow w(nullptr);
    auto *one = w.findChild<QRadioButton *>("radioButton_usuario1");
    auto *two = w.findChild<QRadioButton *>("radioButton_usuario2");
    const QString label = w.findChild<QLabel *>("label_TextEmpAvaliadora")->text();
    const QStringList files = QDir(env->path("Z2registros/Perfil")).entryList(QDir::Files);
    QTest::mouseClick(two, Qt::LeftButton);
    QVERIFY(two->isChecked() && !one->isChecked());
    QTest::mouseClick(one, Qt::LeftButton);
    QVERIFY(one->isChecked() && !two->isChecked());
    QCOMPARE(w.findChild<QLabel *>("label_TextEmpAvaliadora")->text(), label);
    QCOMPARE(QDir(env->path("Z2registros/Perfil")).entryList(QDir::Files), files);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
