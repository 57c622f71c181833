#pragma once
// Text metrics of the headless backend: deterministic, and settable by tests. By default a text
// is 6 pixels wide per character and as high as its font's size plus 5.

#include "platform/Font.h"
#include "platform/Measurecanvas.h"

#include <functional>
#include <string_view>

namespace platform::headless {

using TextMetrics = std::function<TextSize(const Font&, std::string_view)>;

void setTextMetrics(TextMetrics metrics); // an empty function restores the default
TextSize measure(const Font& font, std::string_view text);

} // namespace platform::headless
