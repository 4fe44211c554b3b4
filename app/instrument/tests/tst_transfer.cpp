#include "dialogdriver.h"
#include "filedialogs.h"
#include "instrumentrecords.h"
#include "instrumentscan.h"
#include "mainwindow.h"
#include "scriptedfiledialogs.h"
#include "testenv.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <memory>

class TransferTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void deleteAllQuestionFollowsTheFlag_data();
    void deleteAllQuestionFollowsTheFlag();
    void deleteAllAnsweredNoRemovesNothing();
    void deleteAllWhenUnplugged();
    void importNeverReplacesAndTakesFilesAlone();
    void exportCopiesIntoTheChosenFolder();
    void exportCancelledCopiesNothing();

private:
    QString inst(const QString &name) const { return drive + "/NVX2200/" + name; }
    QString archive(const QString &name) const { return env->path("Z2registros/" + name); }
    // Triggers delete-all and answers its question; returns the question.
    QString deleteAll(const QString &answer, QPointer<QMessageBox> *busy = nullptr);

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<MainWindow> window;
    ScriptedFileDialogs dialogs;
    QString drive;
};

void TransferTest::init()
{
    env.reset(new TestEnv);
    dialogs = ScriptedFileDialogs();
    FileDialogs::setCurrent(&dialogs);
    tableStale = true;
    allDownloaded = false;
    drive = makeInstrumentDrive(env->path("drive"), "nvx2200_01_00007");
    for (const char *f : {"M001.head", "M001.dat", "M001.hist", "M002.head", "notes.txt"})
        writeFile(inst(f), f);
    env->volumes = {MountedVolume{drive, "NVX2200", true, true, false}};
    window.reset(new MainWindow(nullptr));
}

void TransferTest::cleanup()
{
    window.reset();
    FileDialogs::setCurrent(nullptr);
    env.reset();
}

QString TransferTest::deleteAll(const QString &answer, QPointer<QMessageBox> *busy)
{
    QString question;
    auto driver = DialogDriver::on<QMessageBox>([&](QMessageBox *box) {
        question = box->text();
        if (box->defaultButton()->text() != QString::fromUtf8("Não"))
            question = "wrong default button";
        for (QAbstractButton *b : box->buttons())
            if (b->text() == answer)
                b->click();
    }, "Deletar todos os dados");
    window->findChild<QAction *>("actionDeletar_Tudo")->trigger();
    if (busy)
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible() && b->windowTitle() == "Deletar todos os dados")
                *busy = b;
    return driver->fired() ? question : QString();
}

void TransferTest::deleteAllQuestionFollowsTheFlag_data()
{
    QTest::addColumn<bool>("downloadAllFirst");
    QTest::addColumn<QString>("question");
    QTest::newRow("after Baixar Tudo") << true << "Tem certeza que quer deletar todos os arquivos do equipamento?";
    QTest::newRow("not downloaded") << false
                                    << QString::fromUtf8("Seus dados não foram baixados, deseja excluir todos os arquivos "
                                                         "do equipamento mesmo assim?");
}

void TransferTest::deleteAllQuestionFollowsTheFlag()
{
    QFETCH(bool, downloadAllFirst);
    QFETCH(QString, question);
    if (downloadAllFirst) {
        QVERIFY(window->checkInstrumentConnection());  // enables the button
        window->findChild<QPushButton *>("pushButton_BaixarTudo")->click();
        QVERIFY(allDownloaded);
    }
    QPointer<QMessageBox> busy;
    QCOMPARE(deleteAll(QString::fromUtf8("Sim"), &busy), question);

    const QStringList left = QDir(drive + "/NVX2200").entryList(QDir::Files);
    QCOMPARE(left, (QStringList{"config_nvx2200.cfg", "notes.txt"}));
    QVERIFY(!allDownloaded);
    QCOMPARE(window->findChild<QTableView *>("tableView")->model()->rowCount(), 0);
    QCOMPARE(window->findChild<QStatusBar *>("statusBar")->currentMessage(), QString("Dados deletados!"));

    // The box stays with its OK button until the user closes it.
    QVERIFY(busy);
    QCOMPARE(busy->text(), QString("Dados deletados !!"));
    QTest::qWait(1800);
    QVERIFY(busy && busy->isVisible());
    busy->button(QMessageBox::Ok)->click();
    QTRY_VERIFY(busy.isNull());
    // Deleting does not touch the archive.
    if (downloadAllFirst)
        QVERIFY(QFile::exists(archive("M001.dat")));
}

void TransferTest::deleteAllAnsweredNoRemovesNothing()
{
    allDownloaded = true;
    QVERIFY(!deleteAll(QString::fromUtf8("Não")).isEmpty());
    QCOMPARE(QDir(drive + "/NVX2200").entryList(QDir::Files).size(), 6);
    QVERIFY(allDownloaded);
}

void TransferTest::deleteAllWhenUnplugged()
{
    env->volumes = {MountedVolume{"/", "system", true, true, false}};
    QString text;
    auto driver = DialogDriver::on<QMessageBox>([&](QMessageBox *b) {
        text = b->text();
        b->button(QMessageBox::Ok)->click();
    }, "Deletar");
    window->findChild<QAction *>("actionDeletar_Tudo")->trigger();
    QVERIFY(driver->fired());
    QCOMPARE(text, QString::fromUtf8("Instrumento desconectado.\nNão é possivel deletar dados"));
    QCOMPARE(QDir(drive + "/NVX2200").entryList(QDir::Files).size(), 6);
}

void TransferTest::importNeverReplacesAndTakesFilesAlone()
{
    const QString outside = env->path("outside");
    writeFile(outside + "/X.head", "new header");
    writeFile(outside + "/Y.head", "new Y");
    writeFile(outside + "/Y.dat", "Y samples, not chosen");
    writeFile(archive("X.head"), "archived header");
    dialogs.answer(QStringList{outside + "/X.head", outside + "/Y.head", outside + "/missing.hist"});

    window->findChild<QAction *>("actionImportar")->trigger();

    QCOMPARE(dialogs.requests.size(), 1);
    const ScriptedFileDialogs::Request &r = dialogs.requests[0];
    QCOMPARE(r.kind, QString("open-many"));
    QCOMPARE(r.parent, window.get());
    QCOMPARE(r.caption, QString("Importar Arquivos"));
    QCOMPARE(r.dir, QDir::homePath());
    QCOMPARE(r.filter, QString("Todos Arquivos (*.dat *.head *.hist) ;; Arquivos da Medida (*.head) ;; "
                               "Dados da Medida (*dat) ;; Dados da Resultante (*hist)"));
    QCOMPARE(readFile(archive("X.head")), QByteArray("archived header"));
    QCOMPARE(readFile(archive("Y.head")), QByteArray("new Y"));
    QVERIFY(!QFile::exists(archive("Y.dat")));
    QVERIFY(!QFile::exists(archive("missing.hist")));
}

void TransferTest::exportCopiesIntoTheChosenFolder()
{
    for (const char *f : {"E1.head", "E1.dat", "E1.hist"})
        writeFile(archive(f), QByteArray("archive ") + f);
    const QString target = env->path("usb stick");
    QDir().mkpath(target);
    writeFile(target + "/E1.hist", "already there");
    dialogs.answer(QStringList{archive("E1.head"), archive("E1.dat"), archive("E1.hist")});
    dialogs.answer(target);

    window->findChild<QAction *>("actionExportar")->trigger();

    QCOMPARE(dialogs.requests.size(), 2);
    QCOMPARE(dialogs.requests[0].caption, QString("Escolha arquivos para exportar"));
    QCOMPARE(dialogs.requests[0].dir, env->path("Z2registros/"));
    QCOMPARE(dialogs.requests[0].kind, QString("open-many"));
    QCOMPARE(dialogs.requests[0].filter, QString("Todos Arquivos (*.dat *.head *.hist) ;; Arquivos da Medida (*.head) ;; "
                                                 "Dados da Medida (*dat) ;; Dados da Resultante (*hist)"));
    QCOMPARE(dialogs.requests[1].kind, QString("directory"));
    QCOMPARE(dialogs.requests[1].caption, QString::fromUtf8("Escolha destino da exportação"));
    QCOMPARE(dialogs.requests[1].dir, QString("/home"));
    QCOMPARE(dialogs.requests[1].options, QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    QCOMPARE(readFile(target + "/E1.head"), QByteArray("archive E1.head"));
    QCOMPARE(readFile(target + "/E1.dat"), QByteArray("archive E1.dat"));
    QCOMPARE(readFile(target + "/E1.hist"), QByteArray("already there"));
}

void TransferTest::exportCancelledCopiesNothing()
{
    writeFile(archive("E1.head"), "h");
    dialogs.answer(QStringList{archive("E1.head")});
    dialogs.answer(QString());  // destination cancelled
    const QString cwdCopy = QDir::currentPath() + "/E1.head";
    window->findChild<QAction *>("actionExportar")->trigger();
    QCOMPARE(dialogs.requests.size(), 2);  // the destination is asked even so
    QVERIFY(!QFile::exists("/E1.head"));
    QVERIFY(!QFile::exists(cwdCopy));

    // No files chosen: the destination is still asked, nothing copied.
    const QString target = env->path("t");
    QDir().mkpath(target);
    dialogs.answer(QStringList());
    dialogs.answer(target);
    window->findChild<QAction *>("actionExportar")->trigger();
    QCOMPARE(dialogs.requests.size(), 4);
    QVERIFY(QDir(target).entryList(QDir::Files).isEmpty());
}

QTEST_MAIN(TransferTest)
#include "tst_transfer.moc"
