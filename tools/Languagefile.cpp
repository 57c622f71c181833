// languagefile: prints a language file holding every replaceable text with its English text, the
// starting point for a translation.
#include "store/Language.h"

#include <cstdio>

int main() {
    std::fputs(Language::exampleFile().c_str(), stdout);
    return 0;
}
