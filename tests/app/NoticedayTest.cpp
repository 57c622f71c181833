#include "app/Noticeday.h"

#include <gtest/gtest.h>

namespace {

using noticeday::dayNumber;
using noticeday::isNoticeDay;

TEST(Noticeday, DayNumbersRunOnAcrossMonthsYearsAndLeapDays) {
    EXPECT_EQ(dayNumber(1970, 1, 1), 0);
    EXPECT_EQ(dayNumber(1969, 12, 31), -1);
    EXPECT_EQ(dayNumber(2000, 3, 1) - dayNumber(2000, 2, 28), 2) << "2000 is a leap year";
    EXPECT_EQ(dayNumber(1900, 3, 1) - dayNumber(1900, 2, 28), 1) << "1900 is not";
    EXPECT_EQ(dayNumber(2025, 1, 1) - dayNumber(2024, 1, 1), 366);
}

TEST(Noticeday, ShowsOnEveryThirtiethDayFromTheFirstRunAndNeverBeforeIt) {
    const int first = dayNumber(2024, 1, 31);
    EXPECT_TRUE(isNoticeDay(first, dayNumber(2024, 2, 29))) << "day 29, over a leap day";
    EXPECT_TRUE(isNoticeDay(first, first + 59));
    for (const int day : {0, 28, 30, 58, 60, -1, -31})
        EXPECT_FALSE(isNoticeDay(first, first + day)) << day;
}

} // namespace
