#include "platform/Path.h"

namespace platform::path {
namespace {

constexpr std::string_view kSeparators = "\\/:";

// Where the file name starts.
std::size_t nameStart(std::string_view path) {
    const auto separator = path.find_last_of(kSeparators);
    return separator == std::string_view::npos ? 0 : separator + 1;
}

} // namespace

bool isSeparator(char c) {
    return kSeparators.find(c) != std::string_view::npos;
}

std::string_view fileName(std::string_view path) {
    return path.substr(nameStart(path));
}

std::string_view folderOf(std::string_view path) {
    return path.substr(0, nameStart(path));
}

std::string_view withoutExtension(std::string_view path) {
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart(path)) return path;
    return path.substr(0, dot);
}

std::string_view withoutTrailingSlashes(std::string_view path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/'))
        path.remove_suffix(1);
    return path;
}

} // namespace platform::path
