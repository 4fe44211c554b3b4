#pragma once
#include <QMessageBox>

// The transient box shown around work that blocks the event loop: parentless,
// non-modal, a title bar without buttons, deleted when closed. It is painted
// once before the caller starts the work.
namespace BusyBox {

QMessageBox *show(QMessageBox::Icon icon, const QString &title, const QString &text);

// Ends the work: replaces the text and adds one OK button, which clicks
// itself after 1500 ms when autoClose is set.
void finish(QMessageBox *box, const QString &text, bool autoClose);

} // namespace BusyBox

// The modal yes/no question before work that cannot be undone: a question
// icon, no parent, "Sim" with the yes role and "Não" (the default) with the
// no role. The texts come translated in the caller's context.
namespace Confirmation {

// True only when "Sim" was clicked; closing the box counts as "Não".
bool ask(const QString &title, const QString &text, const QString &yes, const QString &no);

} // namespace Confirmation
