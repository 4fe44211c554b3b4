#pragma once
#include <QDateTime>
#include <functional>

// The computer's date and time, as dosedesk writes them into files. Tests
// set a fixed clock.
namespace Clock {

QDateTime now();
// An empty function restores the system clock.
void set(std::function<QDateTime()> clock);

} // namespace Clock
