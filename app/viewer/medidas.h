#pragma once
#include <QMainWindow>

class QStackedWidget;

namespace Ui {
class Medidas;
}

// Page 1 of the page stack: the viewer over the local archive.
class Medidas : public QMainWindow
{
    Q_OBJECT

public:
    explicit Medidas(QWidget *parent = nullptr);
    ~Medidas() override;

    void setPageStack(QStackedWidget *stack);

private slots:
    void on_voltarMenu_clicked();

private:
    Ui::Medidas *ui;
    QStackedWidget *pageStack = nullptr;
};
