#include "text/CoreText.h"

#include <atomic>

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
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        // "%1" .. "%9" name the arguments; a "%" before anything else stays.
        const size_t k = i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9'
                             ? static_cast<size_t>(text[i + 1] - '1')
                             : args.size();
        if (text[i] == '%' && k < args.size()) {
            out += args.begin()[k];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace kzv
