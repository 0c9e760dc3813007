#pragma once
// The program's clock. Everything that depends on "today" (the proposed
// month, import dates, backup names, the SQL Date() and Now() functions)
// reads it, so that tests can fix the date.

#include <QDate>
#include <QDateTime>

namespace sys {

class Clock
{
public:
    // Local date and time; the fixed moment while one is set.
    static QDateTime now();
    static QDate today();
    // Fixes the clock at a moment (tests); reset() returns to the system clock.
    static void set(const QDateTime& moment);
    static void reset();
    static bool isFixed();
};

} // namespace sys
