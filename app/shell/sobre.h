#pragma once
#include <QDialog>

namespace Ui {
class sobre;
}

// The about dialog: the instrument, its standards and the program's version.
class sobre : public QDialog
{
    Q_OBJECT

public:
    explicit sobre(QWidget *parent = nullptr);
    ~sobre() override;

private:
    Ui::sobre *ui;
};
