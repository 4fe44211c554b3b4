#include "perfil.h"
#include "ui_perfil.h"

#include "evaluatorprofile.h"

Perfil::Perfil(QWidget *parent, const QString &profileFilePath)
    : QDialog(parent)
    , ui(new Ui::Perfil)
    , path(profileFilePath)
{
    ui->setupUi(this);

    QStringList parts;
    if (EvaluatorProfile::read(path, &parts)) {
        // Shown without the space that saving appends, so an unchanged save
        // writes the same bytes instead of growing every value by a space.
        ui->lineEdit_EmpAvaliadora->setText(EvaluatorProfile::editableValue(parts.value(0)));
        ui->lineEdit_RealizadoPor->setText(EvaluatorProfile::editableValue(parts.value(1)));
        ui->lineEdit_RealizadoPor_2->setText(EvaluatorProfile::editableValue(parts.value(2)));
    } else {
        ui->lineEdit_EmpAvaliadora->setText(QStringLiteral(" "));
        ui->lineEdit_RealizadoPor->setText(QStringLiteral(" "));
        ui->lineEdit_RealizadoPor_2->setText(QStringLiteral(" "));
    }
    ui->pushButton_Salvar->setDefault(true);
}

Perfil::~Perfil()
{
    delete ui;
}

void Perfil::on_pushButton_Salvar_clicked()
{
    EvaluatorProfile::save(path, ui->lineEdit_EmpAvaliadora->text(), ui->lineEdit_RealizadoPor->text(),
                           ui->lineEdit_RealizadoPor_2->text());
    close();
}
