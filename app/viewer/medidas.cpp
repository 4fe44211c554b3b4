#include "medidas.h"
#include "ui_medidas.h"

#include <QStackedWidget>

Medidas::Medidas(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::Medidas)
{
    ui->setupUi(this);
    // The form is saved on a chart page; the viewer opens on the identification.
    ui->tabWidget_Resultados->setCurrentIndex(0);
}

Medidas::~Medidas()
{
    delete ui;
}

void Medidas::setPageStack(QStackedWidget *stack)
{
    pageStack = stack;
}

void Medidas::on_voltarMenu_clicked()
{
    pageStack->setCurrentIndex(0);
}
