#pragma once
#include <QDialog>

namespace Ui {
class Perfil;
}

// Edits the evaluating company and the two technicians in charge kept in
// perfil.id.
class Perfil : public QDialog
{
    Q_OBJECT

public:
    Perfil(QWidget *parent, const QString &profileFilePath);
    ~Perfil() override;

private slots:
    void on_pushButton_Salvar_clicked();

private:
    Ui::Perfil *ui;
    QString path;
};
