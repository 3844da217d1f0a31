#include "text/CoreText.h"

#include <atomic>
#include <vector>

namespace kzv {

namespace {
std::atomic<CoreTranslator> g_translator{nullptr};
}  // namespace

void SetCoreTranslator(CoreTranslator translator) {
    g_translator = translator;
}

std::string CoreText(const char* source, std::initializer_list<std::string> args) {
    const CoreTranslator translator = g_translator;
    const std::string text = translator != nullptr ? translator(source) : std::string(source);
    const std::vector<std::string> values(args);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t k =
            i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : values.size();
        if (text[i] == '%' && k < values.size() && k < 9) {
            out += values[k];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace kzv
