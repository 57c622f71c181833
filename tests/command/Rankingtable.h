#pragma once
// The ranking table (ranking_table.txt beside this file): titles of real programs, as icons of
// the categories and as programs of the Start menu, and what typing a text should list first.
// Read by the ranking's test and by its benchmark.

#include "command/Ranking.h"
#include "platform/Files.h"
#include "platform/Textcompare.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace ranking_table {

struct Case {
    std::string group;
    std::string typed;
    std::string remembered; // the title started before for this text, or ""
    std::string expected;
};

struct Table {
    // As the command window lists them: the categories' titles, then the Start menu's, each
    // part in alphabetical order.
    std::vector<std::string> titles;
    std::vector<ranking::Title> prepared;
    std::vector<Case> cases;

    // The title listed first for `c`, or "" when nothing matches.
    std::string firstRow(const Case& c) const {
        std::vector<const ranking::Title*> ranked;
        for (const ranking::Title& title : prepared)
            ranked.push_back(&title);
        const ranking::Query query = ranking::prepareQuery(c.typed);
        const std::string remembered = c.remembered.empty() ? "" : platform::foldCase(c.remembered);
        const std::vector<std::size_t> order = ranking::rank(ranked, query, remembered);
        return order.empty() ? "" : titles[order.front()];
    }
};

// The path as the running program names it: a Unix path reaches a Windows program under Wine
// through its drive Z:.
inline std::string hostPath(std::string path) {
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
#endif
    return path;
}

inline std::optional<Table> read(const std::string& path) {
    const std::optional<std::string> text = platform::readFile(hostPath(path));
    if (!text) return std::nullopt;
    std::vector<std::string> parts[2];
    Table table;
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() == 2 && (fields[0] == "category" || fields[0] == "startmenu"))
            parts[fields[0] == "startmenu"].push_back(fields[1]);
        else if (fields.size() == 3)
            table.cases.push_back({fields[0], fields[1], "", fields[2]});
        else if (fields.size() == 4)
            table.cases.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    for (int part = 0; part < 2; ++part) {
        std::stable_sort(parts[part].begin(), parts[part].end(),
                         [](const std::string& a, const std::string& b) {
                             return platform::sortKey(a) < platform::sortKey(b);
                         });
        for (const std::string& title : parts[part]) {
            table.titles.push_back(title);
            table.prepared.push_back(ranking::prepareTitle(title, part));
        }
    }
    return table;
}

} // namespace ranking_table
