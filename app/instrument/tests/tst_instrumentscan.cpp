#include "dialogdriver.h"
#include "instrumentscan.h"
#include "mainwindow.h"
#include "startup.h"
#include "testenv.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <memory>

Q_DECLARE_METATYPE(QList<MountedVolume>)
Q_DECLARE_METATYPE(InstrumentScan::Look)

namespace {
MountedVolume vol(const QString &root, const QString &name, bool readOnly = false, bool valid = true, bool ready = true)
{
    return MountedVolume{root, name, valid, ready, readOnly};
}
} // namespace

class InstrumentScanTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scanRule_data();
    void scanRule();

    void systemDriveFirstConnectsAndRebuilds();
    void instrumentFirstWithTableBuiltDoesNotRebuild();
    void firstWritableOfTwoInstrumentsIsUsed();
    void readOnlyInstrumentIsAbsentButRemembered();
    void noInstrumentGivesDisconnectedLookAndEmptyId();
    void conectarShowsBusyBoxThatClosesItself();
    void instrumentOptionConnects();

private:
    QLabel *label(const char *name) { return window->findChild<QLabel *>(name); }
    QString id() { return label("label_IdEquipamento")->text(); }
    QAbstractItemModel *model() { return window->findChild<QTableView *>("tableView")->model(); }

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<MainWindow> window;
    QString driveA, driveB;
};

void InstrumentScanTest::init()
{
    env.reset(new TestEnv);
    tableStale = true;
    driveA = makeInstrumentDrive(env->path("driveA"), "nvx2200_01_00001");
    driveB = makeInstrumentDrive(env->path("driveB"), "nvx2200_01_00002");
    window.reset(new MainWindow(nullptr));
}

void InstrumentScanTest::cleanup()
{
    window.reset();
    env.reset();
}

void InstrumentScanTest::scanRule_data()
{
    using L = InstrumentScan::Look;
    QTest::addColumn<QList<MountedVolume>>("volumes");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("root");
    QTest::addColumn<bool>("sawOther");
    QTest::addColumn<L>("look");

    const MountedVolume sys = vol("/", "system");
    QTest::newRow("none") << QList<MountedVolume>{} << false << QString() << false << L::Unchanged;
    QTest::newRow("system only") << QList<MountedVolume>{sys} << false << QString() << true << L::Disconnected;
    QTest::newRow("system, instrument") << QList<MountedVolume>{sys, vol("/i", "NVX2200")} << true << "/i" << true << L::Connected;
    QTest::newRow("instrument first stops the scan")
        << QList<MountedVolume>{vol("/i", "NVX2200"), sys} << true << "/i" << false << L::Connected;
    QTest::newRow("two instruments") << QList<MountedVolume>{vol("/a", "NVX2200"), vol("/b", "NVX2200")} << true << "/a" << false << L::Connected;
    QTest::newRow("read-only, then writable")
        << QList<MountedVolume>{vol("/a", "NVX2200", true), vol("/b", "NVX2200")} << true << "/b" << false << L::Connected;
    QTest::newRow("letter case") << QList<MountedVolume>{vol("/i", "nvx2200"), vol("/j", "NVX2200 ")} << false << QString() << true << L::Disconnected;
    QTest::newRow("read-only only") << QList<MountedVolume>{vol("/i", "NVX2200", true)} << false << "/i" << false << L::Unchanged;
    QTest::newRow("read-only, then system")
        << QList<MountedVolume>{vol("/i", "NVX2200", true), sys} << false << "/i" << true << L::Disconnected;
    QTest::newRow("not ready") << QList<MountedVolume>{vol("/i", "NVX2200", false, true, false)} << false << QString() << true << L::Disconnected;
    QTest::newRow("not valid") << QList<MountedVolume>{vol("/i", "NVX2200", false, false, true)} << false << QString() << true << L::Disconnected;
}

void InstrumentScanTest::scanRule()
{
    QFETCH(QList<MountedVolume>, volumes);
    QFETCH(bool, connected);
    QFETCH(QString, root);
    QFETCH(bool, sawOther);
    QFETCH(InstrumentScan::Look, look);

    const InstrumentScan::Outcome out = InstrumentScan::scan(volumes);
    QCOMPARE(out.connected, connected);
    QCOMPARE(out.rootSeen, !root.isNull());
    QCOMPARE(out.root, root);
    QCOMPARE(out.sawOtherVolume, sawOther);
    QCOMPARE(out.look, look);
}

void InstrumentScanTest::systemDriveFirstConnectsAndRebuilds()
{
    env->volumes = {vol("/", "system"), vol(driveA, "NVX2200")};
    QVERIFY(window->checkInstrumentConnection());
    QAbstractItemModel *first = model();
    QVERIFY(first);
    QCOMPARE(first->columnCount(), 5);
    QCOMPARE(first->rowCount(), 0);
    QVERIFY(!tableStale);

    auto *baixar = window->findChild<QPushButton *>("pushButton_BaixarTudo");
    auto *configurar = window->findChild<QToolButton *>("toolButton_Configurar");
    QVERIFY(baixar->isEnabled());
    QCOMPARE(baixar->styleSheet(), QString("QPushButton{ color:white; border-radius: 10px; background-color: rgb(230, 0, 0); }"
                                           "QPushButton:pressed{ background-color: rgb(150, 0, 0);}"));
    QCOMPARE(label("label_Status")->text(), QString("Conectado"));
    QVERIFY(configurar->isEnabled());
    QCOMPARE(configurar->styleSheet(), QString("background-color: rgb(230, 0, 0); "));
    QVERIFY(window->findChild<QAction *>("actionConfigurar")->isEnabled());
    QCOMPARE(window->findChild<QStatusBar *>("statusBar")->currentMessage(), QString("Dispositivo conectado"));
    QCOMPARE(id(), QString("ID: nvx2200_01_00001"));

    // The system drive marks the table stale on every check.
    QVERIFY(window->checkInstrumentConnection());
    QVERIFY(model() != first);
}

void InstrumentScanTest::instrumentFirstWithTableBuiltDoesNotRebuild()
{
    env->volumes = {vol(driveA, "NVX2200"), vol("/", "system")};
    QVERIFY(window->checkInstrumentConnection());  // stale at start: builds
    QAbstractItemModel *built = model();
    QCOMPARE(id(), QString("ID: nvx2200_01_00001"));

    writeFile(driveA + "/NVX2200/config_nvx2200.cfg", "changed_id\r\n");
    QVERIFY(window->checkInstrumentConnection());
    QCOMPARE(model(), built);
    QCOMPARE(id(), QString("ID: nvx2200_01_00001"));  // not read again
}

void InstrumentScanTest::firstWritableOfTwoInstrumentsIsUsed()
{
    env->volumes = {vol("/", "system"), vol(driveA, "NVX2200", true), vol(driveB, "NVX2200"), vol(driveA, "NVX2200")};
    QVERIFY(window->checkInstrumentConnection());
    QCOMPARE(id(), QString("ID: nvx2200_01_00002"));
}

void InstrumentScanTest::readOnlyInstrumentIsAbsentButRemembered()
{
    env->volumes = {vol("/", "system"), vol(driveA, "NVX2200", true)};
    QVERIFY(!window->checkInstrumentConnection());
    QCOMPARE(label("label_Status")->text(), QString("Desconectado"));
    QVERIFY(!window->findChild<QPushButton *>("pushButton_BaixarTudo")->isEnabled());
    // Its root is kept, so the rebuild reads the write-protected instrument.
    QCOMPARE(id(), QString("ID: nvx2200_01_00001"));
}

void InstrumentScanTest::noInstrumentGivesDisconnectedLookAndEmptyId()
{
    env->volumes = {vol(driveA, "NVX2200")};
    QVERIFY(window->checkInstrumentConnection());
    env->volumes = {vol("/", "system"), vol(driveB, "nvx2200")};
    QVERIFY(!window->checkInstrumentConnection());
    QCOMPARE(label("label_Status")->text(), QString("Desconectado"));
    QCOMPARE(window->findChild<QStatusBar *>("statusBar")->currentMessage(), QString("Dispositivo desconectado"));
    QVERIFY(!window->findChild<QAction *>("actionConfigurar")->isEnabled());
    // The stale table is rebuilt from the last root, still there in this test.
    QCOMPARE(id(), QString("ID: nvx2200_01_00001"));

    // Unplugged: the last root is gone and the identifier empties.
    QDir(driveA).removeRecursively();
    QVERIFY(!window->checkInstrumentConnection());
    QCOMPARE(id(), QString("ID: "));
    QCOMPARE(model()->rowCount(), 0);
}

void InstrumentScanTest::conectarShowsBusyBoxThatClosesItself()
{
    env->volumes = {vol("/", "system"), vol(driveB, "NVX2200")};
    QPointer<QMessageBox> box;
    QString busyText;
    bool busyModal = true;
    int busyButtons = -1;
    Qt::WindowFlags busyFlags;
    window->findChild<QPushButton *>("pushButton_2")->click();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *b = qobject_cast<QMessageBox *>(w); b && b->windowTitle() == "Conectar")
            box = b;
    QVERIFY(box);
    busyText = box->text();
    busyModal = box->isModal();
    busyButtons = box->buttons().size();
    busyFlags = box->windowFlags();

    QCOMPARE(busyText, QString("Dispositivo conectado!"));
    QVERIFY(!busyModal);
    QCOMPARE(busyButtons, 1);
    QCOMPARE(box->buttons().first(), box->button(QMessageBox::Ok));
    // A title bar and nothing else; Qt adds the Window type to a parentless widget.
    QCOMPARE(busyFlags & ~Qt::WindowType_Mask, Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QCOMPARE(box->styleSheet(), QString("color:black"));
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    QCOMPARE(id(), QString("ID: nvx2200_01_00002"));
    // It clicks itself after 1500 ms and deletes itself.
    QTRY_VERIFY_WITH_TIMEOUT(box.isNull(), 5000);
}

void InstrumentScanTest::instrumentOptionConnects()
{
    // dosedesk --data-dir D --instrument R, then "Conectar".
    const StartupOptions options = Startup::parseOptions({"dosedesk", "--data-dir", env->path("data"), "--instrument", driveB});
    Startup::applyOptions(options);
    env->volumes = {vol("/", "system")};
    MainWindow w(nullptr);
    QVERIFY(QDir(env->path("data/Z2registros/Perfil")).exists());
    w.findChild<QPushButton *>("pushButton_2")->click();
    QCOMPARE(w.findChild<QLabel *>("label_Status")->text(), QString("Conectado"));
    QCOMPARE(w.findChild<QLabel *>("label_IdEquipamento")->text(), QString("ID: nvx2200_01_00002"));
}

QTEST_MAIN(InstrumentScanTest)
#include "tst_instrumentscan.moc"
