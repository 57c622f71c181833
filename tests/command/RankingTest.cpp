// The ranking over the table of real program names: every case lists the expected title first.
#include "tests/command/Rankingtable.h"

#include <gtest/gtest.h>

namespace {

TEST(Ranking, TheTableOfRealProgramNamesListsTheExpectedTitleFirst) {
    const auto table = ranking_table::read(KESTRUM_RANKING_TABLE);
    ASSERT_TRUE(table);
    ASSERT_GE(table->cases.size(), 150u);
    for (const ranking_table::Case& c : table->cases)
        EXPECT_EQ(table->firstRow(c), c.expected)
            << c.group << " \"" << c.typed << "\"" << (c.remembered.empty() ? "" : " after ")
            << c.remembered;
}

} // namespace
