// Runs the fuzz target without libFuzzer, so that every ordinary build (native and under Wine)
// checks it: each file of the corpus folder given on the command line, then a fixed series of
// random mutations of them.
#include "platform/Files.h"

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

std::string mutated(std::string input, std::mt19937& random) {
    const char alphabet[] = "[]=;'\"\r\n\t k0Sj$x\xEF\xBB\xBF";
    const int edits = 1 + int(random() % 8);
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
        const char c =
            (random() % 4 == 0) ? char(random()) : alphabet[random() % (sizeof alphabet - 1)];
        switch (random() % 3) {
        case 0:
            input.insert(at, 1, c);
            break;
        case 1:
            if (at < input.size()) input.erase(at, 1);
            break;
        default:
            if (at < input.size()) input[at] = c;
            break;
        }
    }
    return input;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<std::string> corpus;
    for (const auto& entry : platform::listFolder(argv[1], "*"))
        if (auto content = platform::readFile(std::string(argv[1]) + "\\" + entry.name))
            corpus.push_back(*content);
    if (corpus.empty()) {
        std::fprintf(stderr, "no corpus in %s\n", argv[1]);
        return 2;
    }
    std::mt19937 random(20261208);
    int runs = 0;
    for (const auto& input : corpus)
        run(input), ++runs;
    for (int i = 0; i < 20000; ++i, ++runs)
        run(mutated(corpus[random() % corpus.size()], random));
    std::printf("%d inputs passed\n", runs);
    return 0;
}
