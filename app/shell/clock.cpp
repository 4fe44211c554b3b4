#include "clock.h"

namespace {
std::function<QDateTime()> &installed()
{
    static std::function<QDateTime()> c;
    return c;
}
} // namespace

namespace Clock {

QDateTime now()
{
    return installed() ? installed()() : QDateTime::currentDateTime();
}

void set(std::function<QDateTime()> clock)
{
    installed() = std::move(clock);
}

} // namespace Clock
