#include "messageboxes.h"

#include <QPushButton>
#include <QCoreApplication>

namespace BusyBox {

QMessageBox *show(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(icon, title, text, QMessageBox::NoButton, nullptr);
    box->setStyleSheet(QStringLiteral("color:black"));
    box->setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Without these a message box makes itself modal and adds an OK button
    // of its own when shown.
    box->setModal(false);
    box->setStandardButtons(QMessageBox::NoButton);
    box->show();
    QCoreApplication::processEvents();
    return box;
}

void finish(QMessageBox *box, const QString &text, bool autoClose)
{
    box->setText(text);
    QPushButton *ok = box->addButton(QMessageBox::Ok);
    if (autoClose)
        ok->animateClick(1500);
}

} // namespace BusyBox

namespace Confirmation {

bool ask(const QString &title, const QString &text, const QString &yes, const QString &no)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, nullptr);
    QPushButton *yesButton = box.addButton(yes, QMessageBox::YesRole);
    QPushButton *noButton = box.addButton(no, QMessageBox::NoRole);
    box.setDefaultButton(noButton);
    box.exec();
    return box.clickedButton() == yesButton;
}

} // namespace Confirmation
