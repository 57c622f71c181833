#include "app/Noticeday.h"

#include <ctime>

namespace noticeday {

// Counted in 400-year eras from 1 March of year 0, so that the leap day ends each counted year.
int dayNumber(int year, int month, int day) {
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int today() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return dayNumber(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}

} // namespace noticeday
