#pragma once
// Whole day numbers, for the monthly notice that offers to look for a new version: it comes on
// every thirtieth day counted from the day the program first ran.

namespace noticeday {

// Days from 1 January 1970 to the given date of the proleptic Gregorian calendar (negative
// before it); consecutive dates give consecutive numbers across months and years.
int dayNumber(int year, int month, int day);

// dayNumber of today's date on this computer's clock, in local time.
int today();

// Whether the notice shows on day `today` for a first run on `firstRunDay`: on the 29th day
// after it and every 30 days from there; never before the first run (a clock set back).
constexpr bool isNoticeDay(int firstRunDay, int today) {
    const int elapsed = today - firstRunDay;
    return elapsed >= 0 && elapsed % 30 == 29;
}

} // namespace noticeday
