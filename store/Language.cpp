#include "store/Language.h"

#include "platform/Initext.h"
#include "platform/Storedtext.h"

Language::Language(const std::string& fileName) {
    // One read of the file serves every lookup: it is read once at start-up anyway.
    const std::string text = platform::readStoredText(fileName).value_or(std::string());
    keys = platform::ini::keyNames(text, "Strings");
    // Each text is read through the file's own lookup, which ignores letter case; so a key
    // listed twice in other cases gets the text of its first line, as the file reads.
    for (const std::string& key : keys)
        texts.emplace(key, platform::ini::findValue(text, "Strings", key).value_or(""));
}

std::string Language::getText(std::string_view key, std::string_view builtIn) const {
    const auto found = texts.find(key);
    return std::string(found != texts.end() ? std::string_view(found->second) : builtIn);
}

std::string Language::exampleFile() {
    std::string file = "; Kestrum reads this file when it is named after the program (Kestrum.lang)\r\n"
                       "; and lies beside Kestrum.exe. Translate the texts after the equals signs;\r\n"
                       "; \"&\" marks a menu's access key. Keep the quotes around a text that starts or\r\n"
                       "; ends with a blank: without them the blank is dropped.\r\n"
                       "[Strings]\r\n";
    for (const LanguageText* text : LanguageTexts::all) {
        const std::string_view builtIn = text->builtIn;
        const bool quoted = !builtIn.empty() && (builtIn.front() == ' ' || builtIn.back() == ' ');
        const char* quote = quoted ? "\"" : "";
        file.append(text->key).append("=").append(quote).append(builtIn).append(quote).append("\r\n");
    }
    return file;
}
