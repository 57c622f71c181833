#include "platform/Measurecanvas.h"
#include "platform/headless/Headlessmetrics.h"

namespace platform {
namespace {

TextSize defaultMetrics(const Font& font, std::string_view text) {
    return {int(text.size()) * 6, font.size + 5};
}

headless::TextMetrics& currentMetrics() {
    static headless::TextMetrics metrics = defaultMetrics;
    return metrics;
}

} // namespace

void headless::setTextMetrics(TextMetrics metrics) {
    currentMetrics() = metrics ? std::move(metrics) : TextMetrics(defaultMetrics);
}

TextSize headless::measure(const Font& font, std::string_view text) {
    return currentMetrics()(font, text);
}

struct MeasureCanvas::State {
    Font font;
};

MeasureCanvas::MeasureCanvas() : state_(std::make_unique<State>()) {}

MeasureCanvas::~MeasureCanvas() = default;

void MeasureCanvas::setFont(const Font& font) {
    state_->font = font;
}

const Font& MeasureCanvas::font() const {
    return state_->font;
}

TextSize MeasureCanvas::textExtent(std::string_view text) const {
    return headless::measure(state_->font, text);
}

} // namespace platform
