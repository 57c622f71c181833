#pragma once
// The headless Run key: a map that tests fill and inspect, with a count of every access.

#include <map>
#include <string>

namespace platform::headless {

struct RunKeyStore {
    bool exists = true; // false: the key cannot be opened
    std::map<std::string, std::string> values;
    int accesses = 0; // opens, reads, writes and deletes
};

RunKeyStore& runKeyStore();

} // namespace platform::headless
