#include "dialogdriver.h"
#include "instrumentrecords.h"
#include "instrumentscan.h"
#include "mainwindow.h"
#include "medicao.h"
#include "testenv.h"

#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <memory>

namespace {

// A header file as the instrument writes it, with only the entries given.
QByteArray header(const QByteArray &name, const QByteArray &date = "10/03/2024", const QByteArray &start = "07:30:00",
                  const QByteArray &duration = "08:00:00")
{
    QByteArray h;
    if (!name.isNull())
        h += "nome_da_medicao;" + name + ";\r\n";
    h += "empresa_avaliadora; ;\r\nresponsavel_tecnico; ;\r\n";
    if (!date.isNull())
        h += "data_medicao;" + date + ";\r\n";
    h += "inicio_medicao;" + start + ";\r\nduracao_medicao;" + duration + ";\r\nperiodo_amostragem;1;\r\nobservacoes; ;\r\n";
    return h;
}

QString stampedField(const QString &path, const char *key)
{
    const QList<QByteArray> lines = readFile(path).split('\n');
    for (const QByteArray &line : lines)
        if (line.startsWith(QByteArray(key) + ';'))
            return QString::fromLatin1(line.mid(qstrlen(key) + 1)).remove("\r");
    return QString();
}

} // namespace

class RecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rowsInReverseNameOrderWithCentredCells();
    void syncedIsAnExactHeaderFileName();
    void cellsOfMissingAndEmptyValues();
    void oneClickConnectionAfterManyRebuilds();
    void singleDownloadCopiesAndStampsTheArchiveCopy();
    void singleDownloadNeedsYesAndIgnoresOtherCells();
    void singleDownloadWhenUnplugged();
    void downloadAllCopiesWhatIsMissing();
    void downloadAllWithEmptyInstrument();

private:
    QString inst(const QString &name) const { return drive + "/NVX2200/" + name; }
    QString archive(const QString &name) const { return env->path("Z2registros/" + name); }
    QStandardItemModel *model() { return qobject_cast<QStandardItemModel *>(window->findChild<QTableView *>("tableView")->model()); }
    QStringList column(int c)
    {
        QStringList out;
        for (int r = 0; r < model()->rowCount(); ++r)
            out << model()->index(r, c).data().toString();
        return out;
    }
    void setEvaluator(const QByteArray &company, const QByteArray &tech1, const QByteArray &tech2)
    {
        writeFile(env->path("Z2registros/Perfil/perfil.id"), company + ";" + tech1 + ";" + tech2);
        window->loadProfiles();
    }
    bool clickStatus(int row, const QString &answer);

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<MainWindow> window;
    QString drive;
};

void RecordsTest::init()
{
    env.reset(new TestEnv);
    tableStale = true;
    allDownloaded = false;
    drive = makeInstrumentDrive(env->path("drive"), "nvx2200_01_00007");
    env->volumes = {MountedVolume{"/", "system", true, true, false}, MountedVolume{drive, "NVX2200", true, true, false}};
    window.reset(new MainWindow(nullptr));
    window->show();  // clicks land on the view's visible cells
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void RecordsTest::cleanup()
{
    window.reset();
    env.reset();
}

bool RecordsTest::clickStatus(int row, const QString &answer)
{
    QTableView *view = window->findChild<QTableView *>("tableView");
    QString question;
    auto driver = DialogDriver::on<QMessageBox>([&](QMessageBox *box) {
        question = box->text();
        for (QAbstractButton *b : box->buttons())
            if (b->text() == answer)
                b->click();
    }, "Baixar Dado !!");
    const QRect cell = view->visualRect(model()->index(row, 4));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    if (driver->fired())
        return question == QString("Tem certeza que deseja baixar esta medida?");
    return false;
}

void RecordsTest::rowsInReverseNameOrderWithCentredCells()
{
    for (const char *n : {"M003", "M001", "M002"})
        writeFile(inst(QString(n) + ".head"), header(n));
    writeFile(inst("notes.txt"), "not a measurement");
    QDir().mkpath(inst("folder.head"));  // a folder is not a header file

    QVERIFY(window->checkInstrumentConnection());
    QStandardItemModel *m = model();
    QCOMPARE(m->columnCount(), 5);
    QStringList headers;
    for (int c = 0; c < 5; ++c)
        headers << m->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{QString::fromUtf8("Nome da Medição"), "Data", QString::fromUtf8("Horário Inicio"),
                                   QString::fromUtf8("Duração"), "Status"}));
    QCOMPARE(column(0), (QStringList{"M003", "M002", "M001"}));
    QCOMPARE(column(1), (QStringList{"10/03/2024", "10/03/2024", "10/03/2024"}));
    QCOMPARE(column(4), (QStringList{"------------", "------------", "------------"}));
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < 5; ++c)
            QCOMPARE(m->index(r, c).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignVCenter));
    QVERIFY(!m->index(0, 4).data(Qt::DecorationRole).value<QIcon>().isNull());
    QTableView *view = window->findChild<QTableView *>("tableView");
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(view->verticalHeader()->isHidden());
    QCOMPARE(view->horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
}

void RecordsTest::syncedIsAnExactHeaderFileName()
{
    for (const char *n : {"M001", "M002", "M003"})
        writeFile(inst(QString(n) + ".head"), header(n));
    writeFile(inst("a.b.head"), header("ab"));
    writeFile(archive("M001.head"), header("M001"));  // header only: still synchronised
    writeFile(archive("m002.head"), header("M002"));  // other letter case
    writeFile(archive("M003.dat"), "x");              // no header
    writeFile(archive("a.b.head"), header("ab"));

    QVERIFY(window->checkInstrumentConnection());
    // Names sort by character code, so lower case comes after upper case.
    QCOMPARE(column(0), (QStringList{"ab", "M003", "M002", "M001"}));
    QCOMPARE(column(4), (QStringList{"Sincronizado", "------------", "------------", "Sincronizado"}));
    QVERIFY(model()->index(3, 4).data(Qt::DecorationRole).isNull());

    // The lists behind the table.
    const InstrumentRecords::SyncLists lists = InstrumentRecords::syncLists(drive + "/NVX2200/", env->path("Z2registros/"));
    QCOMPARE(lists.syncedHeaderPaths.size(), 2);
    QCOMPARE(QStringList(lists.instrumentMeasurementNames).size(), 4);
    QVERIFY(lists.instrumentMeasurementNames.contains("a"));
}

void RecordsTest::cellsOfMissingAndEmptyValues()
{
    writeFile(inst("A.head"), header("A", QByteArray()));  // no data_medicao entry
    writeFile(inst("B.head"), header("B", ""));            // empty value: the key itself
    writeFile(inst("C.head"), header(""));                 // empty name
    QVERIFY(window->checkInstrumentConnection());
    QCOMPARE(column(0), (QStringList{"NVX_2200_SW", "B", "A"}));
    QCOMPARE(column(1), (QStringList{"10/03/2024", "data_medicao", " "}));
    QCOMPARE(column(3), (QStringList{"08:00:00", "08:00:00", "08:00:00"}));
}

void RecordsTest::oneClickConnectionAfterManyRebuilds()
{
    writeFile(inst("M001.head"), header("M001"));
    QVERIFY(window->checkInstrumentConnection());
    for (int i = 0; i < 5; ++i)
        window->refreshInstrumentTable();
    QTableView *view = window->findChild<QTableView *>("tableView");

    // One click, one question.
    int questions = 0;
    auto driver = std::make_unique<DialogDriver>([](QWidget *w) { return qobject_cast<QMessageBox *>(w) != nullptr; },
                                    [&](QWidget *w) {
                                        ++questions;
                                        auto *box = qobject_cast<QMessageBox *>(w);
                                        for (QAbstractButton *b : box->buttons())
                                            if (b->text() == QString::fromUtf8("Não"))
                                                b->click();
                                    });
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(model()->index(0, 4)).center());
    QCOMPARE(questions, 1);
}

void RecordsTest::singleDownloadCopiesAndStampsTheArchiveCopy()
{
    writeFile(inst("M001.head"), header("M001"));
    writeFile(inst("M001.dat"), "samples");
    writeFile(inst("M001.hist"), "results");
    writeFile(inst("M002.head"), header("M002"));
    writeFile(archive("M001.dat"), "older samples");  // never replaced
    setEvaluator("Acme Ruido ", "Ana Souza ", "Rui Lima ");
    window->findChild<QRadioButton *>("radioButton_usuario2")->setChecked(true);
    QVERIFY(window->checkInstrumentConnection());
    QCOMPARE(column(0), (QStringList{"M002", "M001"}));

    QVERIFY(clickStatus(1, QString::fromUtf8("Sim")));
    QCOMPARE(readFile(archive("M001.hist")), QByteArray("results"));
    QCOMPARE(readFile(archive("M001.dat")), QByteArray("older samples"));
    QVERIFY(!QFile::exists(archive("M002.head")));
    QCOMPARE(stampedField(archive("M001.head"), "empresa_avaliadora"), QString("Acme Ruido ;"));
    QCOMPARE(stampedField(archive("M001.head"), "responsavel_tecnico"), QString("Rui Lima ;"));
    QCOMPARE(stampedField(archive("M001.head"), "nome_da_medicao"), QString("M001;"));
    // The instrument's own file is not stamped.
    QCOMPARE(readFile(inst("M001.head")), header("M001"));
    QCOMPARE(column(4), (QStringList{"------------", "Sincronizado"}));

    // A synchronised cell does nothing, not even ask.
    QVERIFY(!clickStatus(1, QString::fromUtf8("Sim")));
}

void RecordsTest::singleDownloadNeedsYesAndIgnoresOtherCells()
{
    writeFile(inst("M001.head"), header("M001"));
    QVERIFY(window->checkInstrumentConnection());
    QVERIFY(clickStatus(0, QString::fromUtf8("Não")));
    QVERIFY(!QFile::exists(archive("M001.head")));

    QTableView *view = window->findChild<QTableView *>("tableView");
    auto driver = DialogDriver::on<QMessageBox>([](QMessageBox *b) { b->reject(); }, QString());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(model()->index(0, 0)).center());
    QTest::qWait(50);
    QVERIFY(!driver->fired());
    QVERIFY(!QFile::exists(archive("M001.head")));
}

void RecordsTest::singleDownloadWhenUnplugged()
{
    writeFile(inst("M001.head"), header("M001"));
    QVERIFY(window->checkInstrumentConnection());
    env->volumes = {MountedVolume{"/", "system", true, true, false}};
    QString text;
    auto driver = DialogDriver::on<QMessageBox>([&](QMessageBox *b) {
        text = b->text();
        b->button(QMessageBox::Ok)->click();
    }, "Baixar Dado");
    QTableView *view = window->findChild<QTableView *>("tableView");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(model()->index(0, 4)).center());
    QVERIFY(driver->fired());
    QCOMPARE(text, QString::fromUtf8("Instrumento desconectado.\nNão é possivel baixar medida"));
    QVERIFY(!QFile::exists(archive("M001.head")));
}

void RecordsTest::downloadAllCopiesWhatIsMissing()
{
    writeFile(inst("M001.head"), header("M001"));
    writeFile(inst("M001.dat"), "d1");
    writeFile(inst("M001.hist"), "h1");
    writeFile(inst("M002.head"), header("M002"));
    writeFile(inst("M002.dat"), "d2");
    writeFile(inst("ORPHAN.dat"), "no header on the instrument");
    writeFile(inst("a.b.head"), header("ab"));
    writeFile(archive("M002.head"), header("already here"));  // synchronised, its .dat missing
    setEvaluator("Acme ", "Ana ", "Rui ");
    QVERIFY(window->checkInstrumentConnection());

    QPointer<QMessageBox> busy;
    window->findChild<QPushButton *>("pushButton_BaixarTudo")->click();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *b = qobject_cast<QMessageBox *>(w); b && b->windowTitle() == "Baixar todos os dados" && b->isVisible())
            busy = b;
    QVERIFY(busy);
    QCOMPARE(busy->text(), QString::fromUtf8("Download Concluído!!"));
    QCOMPARE(window->findChild<QStatusBar *>("statusBar")->currentMessage(),
             QString("Dados do instrumento foram baixados no computador !!"));
    QVERIFY(allDownloaded);

    QCOMPARE(readFile(archive("M001.dat")), QByteArray("d1"));
    QCOMPARE(readFile(archive("M001.hist")), QByteArray("h1"));
    QCOMPARE(readFile(archive("M002.dat")), QByteArray("d2"));
    QCOMPARE(readFile(archive("M002.head")), header("already here"));  // not touched
    QVERIFY(!QFile::exists(archive("ORPHAN.dat")));
    QCOMPARE(stampedField(archive("M001.head"), "responsavel_tecnico"), QString("Ana ;"));
    // Copied, but its second name part is not "head": not stamped.
    QCOMPARE(readFile(archive("a.b.head")), header("ab"));
    QCOMPARE(column(4), (QStringList{"Sincronizado", "Sincronizado", "Sincronizado"}));
    QTRY_VERIFY_WITH_TIMEOUT(busy.isNull(), 5000);
}

void RecordsTest::downloadAllWithEmptyInstrument()
{
    QVERIFY(window->checkInstrumentConnection());
    window->findChild<QPushButton *>("pushButton_BaixarTudo")->click();
    QMessageBox *busy = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *b = qobject_cast<QMessageBox *>(w); b && b->windowTitle() == "Baixar todos os dados" && b->isVisible())
            busy = b;
    QVERIFY(busy);
    QCOMPARE(busy->text(), QString::fromUtf8("Download Concluído!!"));
    QVERIFY(allDownloaded);
    QCOMPARE(model()->rowCount(), 0);

    // Unplugged: only the message, and the table is rebuilt all the same.
    env->volumes.clear();
    QString text;
    auto driver = DialogDriver::on<QMessageBox>([&](QMessageBox *b) {
        text = b->text();
        b->button(QMessageBox::Ok)->click();
    }, "Baixar todos os dados");
    busy->close();
    window->findChild<QPushButton *>("pushButton_BaixarTudo")->click();
    QVERIFY(driver->fired());
    QCOMPARE(text, QString::fromUtf8("Instrumento desconectado.\nNão foi possível baixar dados"));
}

QTEST_MAIN(RecordsTest)
#include "tst_records.moc"
