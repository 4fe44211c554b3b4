#include "clock.h"
#include "config.h"
#include "dialogdriver.h"
#include "instrumentscan.h"
#include "mainwindow.h"
#include "testenv.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <memory>

namespace {

// The 28 lines of a configuration file, the defaults changed where given.
QByteArray configFile(const QMap<int, QByteArray> &changes)
{
    const QList<QByteArray> defaults{
        "nvx2200_01_00099", "0", "5", "s", "a", "80", "90", "115", "0", "8:0", "6", "00/00/00", "00:00:00", "94.0",
        "0", "114.0", "2948056.5", "2951434.5", "1", "00:00:00", "00/00/0000", "00:00:00", "00:00:00", "1",
        "00/00/00", "00:00:00", "00:00:00", "0"};
    QByteArray out;
    for (int line = 1; line <= 28; ++line)
        out += changes.value(line, defaults[line - 1]) + "\r\n";
    return out;
}

QList<QByteArray> lines(const QByteArray &file)
{
    QList<QByteArray> out = file.split('\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

} // namespace

class ConfigDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void prefill_data();
    void prefill();
    void formAndItems();
    void saveWritesTheNextMeasurement();
    void uncheckedGroupsSaveNone();
    void emptyComboKeepsTheStoredValue();
    void configureActionOpensOneDialogEach();

private:
    QString instrumentFile() const { return env->path("drive/NVX2200/config_nvx2200.cfg"); }
    QString localCopy() const { return env->path("Z2registros/Perfil/config_nvx2200.cfg"); }
    template <class T> T *w(Config &d, const char *name) { return d.findChild<T *>(name); }
    void save(Config &d);

    std::unique_ptr<TestEnv> env;
};

void ConfigDialogTest::init()
{
    env.reset(new TestEnv);
    QDir().mkpath(env->path("Z2registros/Perfil"));
    QDir().mkpath(env->path("drive/NVX2200"));
    Clock::set([] { return QDateTime(QDate(2026, 12, 11), QTime(9, 8, 7)); });
}

void ConfigDialogTest::cleanup()
{
    Clock::set({});
    env.reset();
}

void ConfigDialogTest::save(Config &d)
{
    QPointer<Config> dialog(&d);
    d.show();
    w<QPushButton>(d, "pushButton_Salvar")->click();
}

void ConfigDialogTest::prefill_data()
{
    QTest::addColumn<QByteArray>("file");
    // tempo, frequência, limiar, critério, taxa, excedência, período, horas, minutos
    QTest::addColumn<QStringList>("combos");
    QTest::addColumn<bool>("lunch");
    QTest::addColumn<bool>("programmed");
    QTest::addColumn<QString>("programmedDate");

    const QStringList defaults{"Lenta (S)", "A", "80", "90", "5 dB", "115", "6", "8", "0"};
    QTest::newRow("no file: the record's defaults") << QByteArray() << defaults << false << false << QString();
    QTest::newRow("27 lines: ignored") << configFile({{5, ""}}) << defaults << false << false << QString();
    QTest::newRow("4 dB, C, impulse") << configFile({{3, "4"}, {4, "i"}, {5, "c"}})
                                      << QStringList{"Impulso (I)", "C", "80", "90", "4 dB", "115", "6", "8", "0"} << false << false << QString();
    QTest::newRow("fast, Z, 3 dB, 105") << configFile({{3, "3"}, {4, "f"}, {5, "z"}, {8, "105"}})
                                        << QStringList{"Rápida (F)", "Z", "80", "90", "3 dB", "105", "6", "8", "0"} << false << false << QString();
    QTest::newRow("140, 12:30, 10 min, 60/70") << configFile({{6, "60"}, {7, "70"}, {8, "140"}, {10, "12:30"}, {11, "10"}})
                                               << QStringList{"Lenta (S)", "A", "60", "70", "5 dB", "140", "10", "12", "30"} << false << false << QString();
    QTest::newRow("threshold 50: empty") << configFile({{6, "50"}})
                                         << QStringList{"Lenta (S)", "A", "", "90", "5 dB", "115", "6", "8", "0"} << false << false << QString();
    QTest::newRow("taxa 7 keeps the first item") << configFile({{3, "7"}})
                                                 << QStringList{"Lenta (S)", "A", "80", "90", "3 dB", "115", "6", "8", "0"} << false << false << QString();
    QTest::newRow("shift without ':'") << configFile({{10, "8"}})
                                       << QStringList{"Lenta (S)", "A", "80", "90", "5 dB", "115", "6", "8", ""} << false << false << QString();
    QTest::newRow("shift of text") << configFile({{10, "a:b"}, {11, "x"}})
                                   << QStringList{"Lenta (S)", "A", "80", "90", "5 dB", "115", "", "", ""} << false << false << QString();
    QTest::newRow("lunch and a programmed day")
        << configFile({{22, "12:00:00"}, {23, "01:00:00"}, {25, "15/03/2027"}, {26, "07:30:00"}, {27, "16:00:00"}})
        << defaults << true << true << "15/03/2027";
    QTest::newRow("two-digit year") << configFile({{25, "15/03/27"}}) << defaults << false << true << "15/03/2027";
    QTest::newRow("00/00/0000 with a start time") << configFile({{25, "00/00/0000"}, {26, "07:30:00"}}) << defaults << false << false << QString();
    QTest::newRow("impossible date") << configFile({{25, "31/02/2027"}}) << defaults << false << false << QString();
    QTest::newRow("date in two parts") << configFile({{25, "15/03"}, {22, "12:00"}, {26, "x:y:z"}}) << defaults << false << false << QString();
}

void ConfigDialogTest::prefill()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, combos);
    QFETCH(bool, lunch);
    QFETCH(bool, programmed);
    QFETCH(QString, programmedDate);
    if (!file.isNull())
        writeFile(instrumentFile(), file);

    Config d(nullptr, instrumentFile());
    QStringList shown;
    for (const char *name : {"comboBox_Pond_Tempo", "comboBox_Pond_Frequencia", "comboBox_Limiar_Nivel", "comboBox_Nivel_Criterio",
                             "comboBox_Taxa_Troca", "comboBox_Exceedance", "comboBox_PeriodoAmostragem",
                             "comboBox_Jornada_trabalho_1", "comboBox_Jornada_trabalho_2"})
        shown << w<QComboBox>(d, name)->currentText();
    QCOMPARE(shown, combos);
    QCOMPARE(w<QGroupBox>(d, "groupBox_horario_almoco")->isChecked(), lunch);
    QCOMPARE(w<QGroupBox>(d, "groupBox_programa_medida")->isChecked(), programmed);
    if (programmed)
        QCOMPARE(w<QDateEdit>(d, "dateEdit_prog_medida_data")->text(), programmedDate);
    if (lunch) {
        QCOMPARE(w<QTimeEdit>(d, "timeEdit_horario_almoco_inicio")->text(), QString("12:00:00"));
        QCOMPARE(w<QTimeEdit>(d, "timeEdit_horario_almoco_duracao")->text(), QString("01:00:00"));
        QCOMPARE(w<QTimeEdit>(d, "timeEdit_prog_medida_hora_inicio")->text(), QString("07:30:00"));
    } else {
        QCOMPARE(w<QTimeEdit>(d, "timeEdit_horario_almoco_inicio")->text(), QString("00:00:00"));
    }
}

void ConfigDialogTest::formAndItems()
{
    Config d(nullptr, instrumentFile());
    QCOMPARE(d.windowTitle(), QString::fromUtf8("Configuração de Instrumento"));
    QVERIFY(!(d.windowFlags() & Qt::WindowContextHelpButtonHint));
    const auto items = [&](const char *name) {
        QStringList out;
        QComboBox *box = w<QComboBox>(d, name);
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    };
    QCOMPARE(items("comboBox_Pond_Tempo"), (QStringList{QString::fromUtf8("Rápida (F)"), "Lenta (S)", "Impulso (I)"}));
    QCOMPARE(items("comboBox_Taxa_Troca"), (QStringList{"3 dB", "4 dB", "5 dB"}));
    QCOMPARE(items("comboBox_Exceedance"), (QStringList{"105", "110", "115", "120", "125", "130", "135", "140"}));
    QCOMPARE(items("comboBox_Limiar_Nivel").size(), 31);
    QCOMPARE(items("comboBox_Nivel_Criterio").first(), QString("70"));
    QCOMPARE(items("comboBox_Jornada_trabalho_1").last(), QString("14"));
    QCOMPARE(items("comboBox_Jornada_trabalho_2").size(), 12);
    QCOMPARE(items("comboBox_PeriodoAmostragem").size(), 10);
    QCOMPARE(w<QTimeEdit>(d, "timeEdit_horario_almoco_inicio")->displayFormat(), QString("HH:mm:ss"));
    // Unchecking a group disables what is in it.
    w<QGroupBox>(d, "groupBox_programa_medida")->setChecked(false);
    QVERIFY(!w<QDateEdit>(d, "dateEdit_prog_medida_data")->isEnabled());
}

void ConfigDialogTest::saveWritesTheNextMeasurement()
{
    writeFile(instrumentFile(), configFile({{14, "93.5"}, {17, "2948001.0"}}));
    writeFile(localCopy(), "old local copy\r\n");
    QPointer<Config> d = new Config(nullptr, instrumentFile());
    w<QComboBox>(*d, "comboBox_Pond_Tempo")->setCurrentIndex(0);
    w<QComboBox>(*d, "comboBox_Pond_Frequencia")->setCurrentIndex(1);
    w<QComboBox>(*d, "comboBox_Limiar_Nivel")->setCurrentText("85");
    w<QComboBox>(*d, "comboBox_Nivel_Criterio")->setCurrentText("85");
    w<QComboBox>(*d, "comboBox_Taxa_Troca")->setCurrentIndex(0);
    w<QComboBox>(*d, "comboBox_Exceedance")->setCurrentText("130");
    w<QComboBox>(*d, "comboBox_PeriodoAmostragem")->setCurrentText("2");
    w<QComboBox>(*d, "comboBox_Jornada_trabalho_1")->setCurrentText("7");
    w<QComboBox>(*d, "comboBox_Jornada_trabalho_2")->setCurrentText("20");
    w<QGroupBox>(*d, "groupBox_horario_almoco")->setChecked(true);
    w<QTimeEdit>(*d, "timeEdit_horario_almoco_inicio")->setTime(QTime(11, 45, 0));
    w<QTimeEdit>(*d, "timeEdit_horario_almoco_duracao")->setTime(QTime(0, 50, 0));
    w<QGroupBox>(*d, "groupBox_programa_medida")->setChecked(true);
    w<QDateEdit>(*d, "dateEdit_prog_medida_data")->setDate(QDate(2026, 12, 14));
    w<QTimeEdit>(*d, "timeEdit_prog_medida_hora_inicio")->setTime(QTime(7, 0, 0));
    w<QTimeEdit>(*d, "timeEdit_prog_medida_hora_fim")->setTime(QTime(15, 20, 0));

    save(*d);
    QMessageBox *box = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *b = qobject_cast<QMessageBox *>(top); b && b->isVisible() && b->windowTitle() == "Configurar Instrumento")
            box = b;
    QVERIFY(box);
    QCOMPARE(box->text(), QString::fromUtf8("Configuração Finalizada !"));
    QCOMPARE(box->icon(), QMessageBox::Information);
    QVERIFY(!d->isVisible());

    const QByteArray written = readFile(instrumentFile());
    QCOMPARE(written, configFile({{3, "3"}, {4, "f"}, {5, "c"}, {6, "85"}, {7, "85"}, {8, "130"}, {10, "7:20"}, {11, "2"},
                                  {12, "11/12/2026"}, {13, "09:08:07"}, {14, "93.5"}, {17, "2948001.0"},
                                  {22, "11:45:00"}, {23, "00:50:00"}, {25, "14/12/2026"}, {26, "07:00:00"}, {27, "15:20:00"}}));
    QCOMPARE(lines(written).size(), 28);
    QCOMPARE(written.count("\r\n"), 28);
    QCOMPARE(readFile(localCopy()), written);
    // Replaced through a complete copy: nothing else left in the folder.
    QCOMPARE(QDir(env->path("drive/NVX2200")).entryList(QDir::Files | QDir::Hidden), QStringList{"config_nvx2200.cfg"});

    // What was saved reads back the same.
    Config again(nullptr, instrumentFile());
    QCOMPARE(w<QComboBox>(again, "comboBox_Jornada_trabalho_2")->currentText(), QString("20"));
    QCOMPARE(w<QDateEdit>(again, "dateEdit_prog_medida_data")->date(), QDate(2026, 12, 14));
    QVERIFY(w<QGroupBox>(again, "groupBox_programa_medida")->isChecked());
    QTRY_VERIFY(d.isNull() || !d->isVisible());
}

void ConfigDialogTest::uncheckedGroupsSaveNone()
{
    writeFile(instrumentFile(), configFile({{22, "12:00:00"}, {23, "01:00:00"}, {25, "15/03/2027"}, {26, "07:30:00"}, {27, "16:00:00"}}));
    Config d(nullptr, instrumentFile());
    w<QGroupBox>(d, "groupBox_horario_almoco")->setChecked(false);
    w<QGroupBox>(d, "groupBox_programa_medida")->setChecked(false);
    save(d);
    const QList<QByteArray> saved = lines(readFile(instrumentFile()));
    QCOMPARE(saved[21], QByteArray("12:00:00\r"));   // lunch start kept
    QCOMPARE(saved[22], QByteArray("00:00:00\r"));   // no lunch break
    QCOMPARE(saved[24], QByteArray("00/00/0000\r")); // no programmed measurement
    QCOMPARE(saved[25], QByteArray("07:30:00\r"));
    QCOMPARE(saved[26], QByteArray("16:00:00\r"));

    Config again(nullptr, instrumentFile());
    QVERIFY(!w<QGroupBox>(again, "groupBox_horario_almoco")->isChecked());
    QVERIFY(!w<QGroupBox>(again, "groupBox_programa_medida")->isChecked());
}

void ConfigDialogTest::emptyComboKeepsTheStoredValue()
{
    // A stored value outside the items leaves its box empty; saving keeps it
    // instead of writing an empty line, which would make the file unreadable.
    writeFile(instrumentFile(), configFile({{6, "50"}, {10, "8"}}));
    Config d(nullptr, instrumentFile());
    QCOMPARE(w<QComboBox>(d, "comboBox_Limiar_Nivel")->currentIndex(), -1);
    save(d);
    const QList<QByteArray> saved = lines(readFile(instrumentFile()));
    QCOMPARE(saved.size(), 28);
    QCOMPARE(saved[5], QByteArray("50\r"));
    QCOMPARE(saved[9], QByteArray("8\r"));
    Config again(nullptr, instrumentFile());
    QCOMPARE(w<QComboBox>(again, "comboBox_Nivel_Criterio")->currentText(), QString("90"));  // the file still reads
}

void ConfigDialogTest::configureActionOpensOneDialogEach()
{
    writeFile(instrumentFile(), configFile({{3, "4"}}));
    env->volumes = {MountedVolume{env->path("drive"), "NVX2200", true, true, false}};
    tableStale = true;
    MainWindow main(nullptr);
    QVERIFY(main.checkInstrumentConnection());
    main.findChild<QAction *>("actionConfigurar")->trigger();
    main.findChild<QToolButton *>("toolButton_Configurar")->click();
    QList<Config *> open;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *c = qobject_cast<Config *>(top); c && c->isVisible())
            open << c;
    QCOMPARE(open.size(), 2);
    for (Config *c : open) {
        QVERIFY(!c->isModal());
        QCOMPARE(c->findChild<QComboBox *>("comboBox_Taxa_Troca")->currentText(), QString("4 dB"));
        c->close();
    }
}

QTEST_MAIN(ConfigDialogTest)
#include "tst_configdialog.moc"
