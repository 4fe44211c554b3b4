#include "dialogdriver.h"
#include "mainwindow.h"
#include "startup.h"
#include "testenv.h"

#include <QAction>
#include <QInputDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QTranslator>
#include <memory>

// The language action keeps a translator of its own for the whole run, so
// these cases share one process only with each other.
class LanguageActionTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cancelChangesNothing();
    void namesListedInCurrentLanguage();
    void sameLanguageAgainStillRewritesAndRestarts();

private:
    struct Answer {
        QString title, label;
        QStringList items;
    };
    Answer choose(MainWindow &w, const QString &choice);

    std::unique_ptr<TestEnv> env;
    QTranslator startup;
};

void LanguageActionTest::init()
{
    env.reset(new TestEnv);
    QVERIFY(writeFile(env->path("lingua.lg"), ":/Translate/ingles.qm"));
    QVERIFY(startup.load(":/Translate/ingles.qm"));
    QCoreApplication::installTranslator(&startup);
    Startup::applyOptions(Startup::parseOptions({"dosedesk", "--data-dir", env->appDir.path()}));
}

void LanguageActionTest::cleanup()
{
    QCoreApplication::removeTranslator(&startup);
    env.reset();
}

LanguageActionTest::Answer LanguageActionTest::choose(MainWindow &w, const QString &choice)
{
    Answer answer;
    auto driver = DialogDriver::on<QInputDialog>([&](QInputDialog *d) {
        answer = {d->windowTitle(), d->labelText(), d->comboBoxItems()};
        if (choice.isNull()) {
            d->reject();
        } else {
            d->setTextValue(choice);
            d->accept();
        }
    }, QString());
    w.findChild<QAction *>("actionMudar_Idioma")->trigger();
    if (!driver->fired())
        qWarning("language dialog never appeared");
    return answer;
}

void LanguageActionTest::cancelChangesNothing()
{
    MainWindow w(nullptr);
    choose(w, QString());
    QVERIFY(env->processes.restarts.isEmpty());
    QCOMPARE(readFile(env->path("lingua.lg")), QByteArray(":/Translate/ingles.qm"));
    QCOMPARE(w.findChild<QPushButton *>("pushButton_2")->text(), QString("Connect"));
}

void LanguageActionTest::namesListedInCurrentLanguage()
{
    MainWindow w(nullptr);
    const Answer answer = choose(w, "Spanish");
    QCOMPARE(answer.title, QString("Select the Language"));
    QCOMPARE(answer.label, QString("Language"));
    QCOMPARE(answer.items, (QStringList{"Portuguese", "English", "Spanish"}));

    QCOMPARE(readFile(env->path("lingua.lg")), QByteArray(":/Translate/espanhol.qm"));
    // The main window changes at once, its table headers too...
    QCOMPARE(w.findChild<QAction *>("actionSair")->text(), QString("Salir"));
    auto *model = qobject_cast<QStandardItemModel *>(w.findChild<QTableView *>("tableView")->model());
    QVERIFY(model);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Fecha"));
    // ...and the program restarts itself with the options it was given.
    QCOMPARE(env->processes.restarts.size(), 1);
    QCOMPARE(env->processes.restarts[0].program, QCoreApplication::arguments().first());
    QCOMPARE(env->processes.restarts[0].arguments, (QStringList{"--data-dir", env->appDir.path()}));
}

void LanguageActionTest::sameLanguageAgainStillRewritesAndRestarts()
{
    MainWindow w(nullptr);
    QFile::remove(env->path("lingua.lg"));
    const Answer answer = choose(w, "English");  // the language in use
    QCOMPARE(answer.items, (QStringList{"Portuguese", "English", "Spanish"}));
    QCOMPARE(readFile(env->path("lingua.lg")), QByteArray(":/Translate/ingles.qm"));
    QCOMPARE(env->processes.restarts.size(), 1);
    QCOMPARE(w.findChild<QPushButton *>("pushButton_2")->text(), QString("Connect"));

    // The action's translator takes precedence over the start-up one.
    choose(w, "Portuguese");
    QCOMPARE(readFile(env->path("lingua.lg")), QByteArray(":/Translate/portugues.qm"));
    QCOMPARE(env->processes.restarts.size(), 2);
    // The Portuguese catalog is not an identity: it accents the first evaluator.
    QCOMPARE(w.findChild<QRadioButton *>("radioButton_usuario1")->text(), QString::fromUtf8("Usuário 1"));
}

QTEST_MAIN(LanguageActionTest)
#include "tst_languageaction.moc"
