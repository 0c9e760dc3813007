#include "platform/sys/clock.h"

namespace sys {
namespace {
// A fixed moment, or an invalid one for the system clock.
QDateTime& fixedMoment()
{
    static QDateTime moment;
    return moment;
}
} // namespace

QDateTime Clock::now()
{
    const QDateTime& fixed = fixedMoment();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

QDate Clock::today()
{
    return now().date();
}

void Clock::set(const QDateTime& moment)
{
    fixedMoment() = moment;
}

void Clock::reset()
{
    fixedMoment() = QDateTime();
}

bool Clock::isFixed()
{
    return fixedMoment().isValid();
}

} // namespace sys
