#include "config.h"
#include "ui_config.h"

#include "clock.h"
#include "medicao.h"
#include "messageboxes.h"

#include <QDate>
#include <QTime>

namespace {

const char *const dateFormat = "dd/MM/yyyy";

// Index into a combo box, or -1 (no selection) when outside its items.
int within(const QComboBox *box, int index)
{
    return index >= 0 && index < box->count() ? index : -1;
}

// A number as the file holds it; a value that is not one selects nothing.
int number(const QString &text, bool *ok)
{
    return text.trimmed().toInt(ok);
}

void selectNumber(QComboBox *box, const QString &stored, int first, int step = 1)
{
    bool ok = false;
    const int value = number(stored, &ok);
    box->setCurrentIndex(ok ? within(box, (value - first) / step) : -1);
}

// "HH:mm:ss"; anything else gives an invalid time.
QTime parseTime(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return QTime();
    bool ok[3];
    const int h = number(parts[0], &ok[0]), m = number(parts[1], &ok[1]), s = number(parts[2], &ok[2]);
    return ok[0] && ok[1] && ok[2] ? QTime(h, m, s) : QTime();
}

// Day "/" month "/" year. A two-digit year (the instrument's own "00/00/00"
// form) is taken as 20yy. Anything else gives an invalid date, which means
// no programmed measurement.
QDate parseDate(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return QDate();
    bool ok[3];
    const int d = number(parts[0], &ok[0]), m = number(parts[1], &ok[1]);
    int y = number(parts[2], &ok[2]);
    if (!(ok[0] && ok[1] && ok[2]))
        return QDate();
    if (parts[2].trimmed().size() <= 2)
        y += 2000;
    return QDate(y, m, d);
}

void setTime(QTimeEdit *edit, const QString &stored)
{
    const QTime t = parseTime(stored);
    if (t.isValid())
        edit->setTime(t);
}

// By position, the code each item stands for; an empty box keeps stored.
QString codeAt(const QComboBox *box, const QStringList &codes, const QString &stored)
{
    const int i = box->currentIndex();
    return i >= 0 && i < codes.size() ? codes[i] : stored;
}

QString textOr(const QComboBox *box, const QString &stored)
{
    return box->currentIndex() >= 0 ? box->currentText() : stored;
}

} // namespace

Config::Config(QWidget *parent, const QString &path)
    : QDialog(parent)
    , ui(new Ui::Config)
    , path(path)
    , record(new Medicao)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Fixed whatever the system locale, so that what is saved reads back.
    ui->dateEdit_prog_medida_data->setDisplayFormat(QString::fromLatin1(dateFormat));

    ui->comboBox_Pond_Tempo->addItems({tr("Rápida (F)"), tr("Lenta (S)"), tr("Impulso (I)")});
    ui->comboBox_Pond_Frequencia->addItems({"A", "C", "Z"});
    for (int v = 60; v <= 90; ++v)
        ui->comboBox_Limiar_Nivel->addItem(QString::number(v));
    for (int v = 70; v <= 90; ++v)
        ui->comboBox_Nivel_Criterio->addItem(QString::number(v));
    ui->comboBox_Taxa_Troca->addItems({"3 dB", "4 dB", "5 dB"});
    for (int v = 105; v <= 140; v += 5)
        ui->comboBox_Exceedance->addItem(QString::number(v));
    for (int v = 1; v <= 10; ++v)
        ui->comboBox_PeriodoAmostragem->addItem(QString::number(v));
    for (int v = 0; v <= 14; ++v)
        ui->comboBox_Jornada_trabalho_1->addItem(QString::number(v));
    for (int v = 0; v <= 55; v += 5)
        ui->comboBox_Jornada_trabalho_2->addItem(QString::number(v));

    record->readConfig(path);
    fillControls();
}

Config::~Config()
{
    delete record;
    delete ui;
}

void Config::fillControls()
{
    const Medicao &r = *record;
    const QString tempo = r.cfg_ponderacao_tempo();
    ui->comboBox_Pond_Tempo->setCurrentIndex(tempo == "f" ? 0 : tempo == "s" ? 1 : 2);
    const QString freq = r.cfg_ponderacao_frequencia();
    ui->comboBox_Pond_Frequencia->setCurrentIndex(freq == "a" ? 0 : freq == "c" ? 1 : 2);
    selectNumber(ui->comboBox_Limiar_Nivel, r.cfg_limiar_nivel(), 60);
    selectNumber(ui->comboBox_Nivel_Criterio, r.cfg_nivel_criterio(), 70);
    const int taxa = QStringList{"3", "4", "5"}.indexOf(r.cfg_taxa_troca());
    if (taxa >= 0)
        ui->comboBox_Taxa_Troca->setCurrentIndex(taxa);
    {
        bool ok = false;
        const int v = number(r.cfg_exceedance(), &ok);
        ui->comboBox_Exceedance->setCurrentIndex(ok ? within(ui->comboBox_Exceedance, (v - 100) / 5 - 1) : -1);
    }

    // Hours ":" minutes; a part that is missing or not a number selects nothing.
    const QStringList shift = r.cfg_jornada().split(QLatin1Char(':'), Qt::SkipEmptyParts);
    bool hoursOk = false, minutesOk = false;
    const int hours = shift.size() >= 1 ? number(shift[0], &hoursOk) : 0;
    const int minutes = shift.size() >= 2 ? number(shift[1], &minutesOk) : 0;
    ui->comboBox_Jornada_trabalho_1->setCurrentIndex(hoursOk ? within(ui->comboBox_Jornada_trabalho_1, hours) : -1);
    ui->comboBox_Jornada_trabalho_2->setCurrentIndex(minutesOk ? within(ui->comboBox_Jornada_trabalho_2, minutes / 5) : -1);
    selectNumber(ui->comboBox_PeriodoAmostragem, r.cfg_periodo_amostragem(), 1);

    setTime(ui->timeEdit_horario_almoco_inicio, r.cfg_almoco_inicio());
    setTime(ui->timeEdit_horario_almoco_duracao, r.cfg_almoco_duracao());
    if (r.cfg_almoco_duracao() == QLatin1String("00:00:00"))
        ui->groupBox_horario_almoco->setChecked(false);

    // A programmed measurement exists only with a real date; "00/00/0000"
    // and the never-set "00/00/00" mean none.
    const QDate programmed = parseDate(r.cfg_programa_data());
    if (programmed.isValid())
        ui->dateEdit_prog_medida_data->setDate(programmed);
    setTime(ui->timeEdit_prog_medida_hora_inicio, r.cfg_programa_inicio());
    setTime(ui->timeEdit_prog_medida_hora_fim, r.cfg_programa_fim());
    ui->groupBox_programa_medida->setChecked(programmed.isValid());
}

void Config::takeControls()
{
    Medicao &r = *record;
    // An empty combo box (a stored value outside its items) keeps the stored
    // value: an empty line would leave the file with too few lines to read.
    r.setCfg_ponderacao_tempo(codeAt(ui->comboBox_Pond_Tempo, {"f", "s", "i"}, r.cfg_ponderacao_tempo()));
    r.setCfg_ponderacao_frequencia(codeAt(ui->comboBox_Pond_Frequencia, {"a", "c", "z"}, r.cfg_ponderacao_frequencia()));
    r.setCfg_limiar_nivel(textOr(ui->comboBox_Limiar_Nivel, r.cfg_limiar_nivel()));
    r.setCfg_nivel_criterio(textOr(ui->comboBox_Nivel_Criterio, r.cfg_nivel_criterio()));
    r.setCfg_taxa_troca(codeAt(ui->comboBox_Taxa_Troca, {"3", "4", "5"}, r.cfg_taxa_troca()));
    r.setCfg_exceedance(textOr(ui->comboBox_Exceedance, r.cfg_exceedance()));
    if (ui->comboBox_Jornada_trabalho_1->currentIndex() >= 0 && ui->comboBox_Jornada_trabalho_2->currentIndex() >= 0)
        r.setCfg_jornada(ui->comboBox_Jornada_trabalho_1->currentText() + QLatin1Char(':')
                         + ui->comboBox_Jornada_trabalho_2->currentText());
    r.setCfg_periodo_amostragem(textOr(ui->comboBox_PeriodoAmostragem, r.cfg_periodo_amostragem()));

    const QDateTime now = Clock::now();
    r.setCfg_data(now.date().toString(QString::fromLatin1(dateFormat)));
    r.setCfg_hora(now.time().toString(QStringLiteral("hh:mm:ss")));

    if (ui->groupBox_horario_almoco->isChecked()) {
        r.setCfg_almoco_inicio(ui->timeEdit_horario_almoco_inicio->text());
        r.setCfg_almoco_duracao(ui->timeEdit_horario_almoco_duracao->text());
    } else {
        r.setCfg_almoco_duracao(QStringLiteral("00:00:00"));
    }
    if (ui->groupBox_programa_medida->isChecked()) {
        r.setCfg_programa_data(ui->dateEdit_prog_medida_data->text());
        r.setCfg_programa_inicio(ui->timeEdit_prog_medida_hora_inicio->text());
        r.setCfg_programa_fim(ui->timeEdit_prog_medida_hora_fim->text());
    } else {
        r.setCfg_programa_data(QStringLiteral("00/00/0000"));
    }
}

void Config::on_pushButton_Salvar_clicked()
{
    QMessageBox *box = BusyBox::show(QMessageBox::Information, tr("Configurar Instrumento"),
                                     tr("Salvando as configurações no Instrumento ..."));
    takeControls();
    record->saveConfig(path);
    BusyBox::finish(box, tr("Configuração Finalizada !"), true);
    close();
}
