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
