#include "demoinstrument.h"
#include "dialogdriver.h"
#include "instrumentrecords.h"
#include "instrumentscan.h"
#include "mainwindow.h"
#include "startup.h"
#include "testenv.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>

class DemoTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void demoDriveIsMadeOnceAndPresentedAsAnInstrument();
    void demoNeverTouchesRealDrives();

private:
    std::unique_ptr<TestEnv> env;
    QString data;
};

void DemoTest::init()
{
    env.reset(new TestEnv);
    tableStale = true;
    data = env->path("data");
    Startup::applyOptions(Startup::parseOptions({"dosedesk", "--data-dir", data, "--demo"}));
}

void DemoTest::cleanup()
{
    env.reset();
}

void DemoTest::demoDriveIsMadeOnceAndPresentedAsAnInstrument()
{
    const QString folder = data + "/demo-instrument/NVX2200";
    QCOMPARE(DemoInstrument::root(), data + "/demo-instrument");
    const QStringList heads = QDir(folder).entryList({"*.head"}, QDir::Files);
    QVERIFY(heads.size() >= 5);
    for (const QString &h : heads) {
        const QString base = h.left(h.indexOf('.'));
        QVERIFY(QFile::exists(folder + "/" + base + ".dat"));
        QVERIFY(QFile::exists(folder + "/" + base + ".hist"));
    }
    QVERIFY(QFile::exists(folder + "/config_nvx2200.cfg"));
    QVERIFY(Startup::restartArguments().contains("--demo"));

    MainWindow w(nullptr);
    w.findChild<QPushButton *>("pushButton_2")->click();
    QCOMPARE(w.findChild<QLabel *>("label_Status")->text(), QString("Conectado"));
    QCOMPARE(w.findChild<QLabel *>("label_IdEquipamento")->text(), QString("ID: nvx2200_01_02718"));
    QCOMPARE(w.findChild<QTableView *>("tableView")->model()->rowCount(), heads.size());

    // What the user did to it stays: the drive is made only once.
    QFile::remove(folder + "/" + heads.first());
    DemoInstrument::ensure();
    QCOMPARE(QDir(folder).entryList({"*.head"}, QDir::Files).size(), heads.size() - 1);
}

void DemoTest::demoNeverTouchesRealDrives()
{
    const QString real = makeInstrumentDrive(env->path("real"), "real_instrument");
    writeFile(real + "/NVX2200/REAL.head", "nome_da_medicao;REAL;\r\n");
    env->volumes = {MountedVolume{real, "NVX2200", true, true, false}};
    // A platform list with a real instrument on it, then --demo.
    MountedVolumes::setSource([this] { return env->volumes; });
    QCOMPARE(MountedVolumes::list().size(), 2);
    Startup::applyOptions(Startup::parseOptions({"dosedesk", "--data-dir", data, "--demo"}));

    QCOMPARE(MountedVolumes::list().size(), 1);
    MainWindow w(nullptr);
    QVERIFY(w.checkInstrumentConnection());
    QCOMPARE(w.findChild<QLabel *>("label_IdEquipamento")->text(), QString("ID: nvx2200_01_02718"));

    auto driver = DialogDriver::on<QMessageBox>([](QMessageBox *box) {
        for (QAbstractButton *b : box->buttons())
            if (b->text() == "Sim")
                b->click();
    }, "Deletar todos os dados");
    w.findChild<QAction *>("actionDeletar_Tudo")->trigger();
    QVERIFY(driver->fired());
    QVERIFY(QDir(data + "/demo-instrument/NVX2200").entryList({"*.head"}, QDir::Files).isEmpty());
    QVERIFY(QFile::exists(real + "/NVX2200/REAL.head"));
}

QTEST_MAIN(DemoTest)
#include "tst_demo.moc"
