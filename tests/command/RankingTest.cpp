// The ranking over the table of real program names: every case lists the expected title first.
#include "tests/command/Rankingtable.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// The window ranks a text that goes on from the one before only among the titles that one
// matched: for every text of the table, typed a character at a time, that must list what
// ranking every title lists.
TEST(Ranking, ATextRankedAmongTheMatchesOfItsBeginningListsWhatEveryTitleGives) {
    const auto table = ranking_table::read(KESTRUM_RANKING_TABLE);
    ASSERT_TRUE(table);
    std::vector<const ranking::Title*> every;
    for (const ranking::Title& title : table->prepared)
        every.push_back(&title);
    for (const ranking_table::Case& c : table->cases) {
        const std::string remembered = c.remembered.empty() ? "" : platform::foldCase(c.remembered);
        ranking::Query before = ranking::prepareQuery("");
        std::vector<std::size_t> matched(every.size());
        for (std::size_t i = 0; i < matched.size(); ++i)
            matched[i] = i;
        for (std::size_t at = 0; at < c.typed.size();) {
            platform::utf8::next(c.typed, at);
            const ranking::Query query = ranking::prepareQuery(c.typed.substr(0, at));
            ASSERT_TRUE(ranking::narrows(before, query)) << c.typed.substr(0, at);
            std::vector<const ranking::Title*> candidates;
            for (const std::size_t i : matched)
                candidates.push_back(every[i]);
            std::vector<std::size_t> narrowed;
            for (const std::size_t i : ranking::rank(candidates, query, remembered))
                narrowed.push_back(matched[i]);
            const std::vector<std::size_t> whole = ranking::rank(every, query, remembered);
            EXPECT_EQ(narrowed, whole) << "\"" << c.typed.substr(0, at) << "\"";
            matched = whole;
            std::sort(matched.begin(), matched.end());
            before = query;
        }
    }
    EXPECT_FALSE(ranking::narrows(ranking::prepareQuery("ab"), ranking::prepareQuery("ac")));
    EXPECT_FALSE(ranking::narrows(ranking::prepareQuery("a b"), ranking::prepareQuery("ab")));
}

} // namespace
