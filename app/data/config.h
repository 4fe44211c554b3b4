#pragma once
#include <QDialog>

class Medicao;

namespace Ui {
class Config;
}

// Prepares the instrument's next measurement: the Usuário profile's
// settings, sampling period, work shift, lunch break and a programmed start.
// Opens prefilled from the instrument's configuration file and writes a new
// one on "Salvar".
class Config : public QDialog
{
    Q_OBJECT

public:
    Config(QWidget *parent, const QString &path);
    ~Config() override;

private slots:
    void on_pushButton_Salvar_clicked();

private:
    void fillControls();
    void takeControls();

    Ui::Config *ui;
    QString path;
    Medicao *record;
};
