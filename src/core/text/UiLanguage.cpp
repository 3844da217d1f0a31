#include "text/UiLanguage.h"

namespace kzv {

namespace {

std::string_view Value(const char* variable) {
    return variable != nullptr ? std::string_view(variable) : std::string_view();
}

std::string FromLocaleName(std::string_view name) {
    return name.substr(0, 2) == "ja" ? "ja" : "en";
}

}  // namespace

std::string UiLanguageFromLocale(const char* language, const char* lcAll, const char* lcMessages,
                                 const char* lang) {
    std::string_view messages;
    for (const char* variable : {lcAll, lcMessages, lang}) {
        if (!Value(variable).empty()) {
            messages = Value(variable);
            break;
        }
    }
    // GNU gettext ignores LANGUAGE in the C locale: a user who set LC_ALL=C wants no
    // translation whatever LANGUAGE says.
    if (messages != "C" && messages != "POSIX") {
        std::string_view list = Value(language);
        while (!list.empty()) {
            const size_t colon = list.find(':');
            const std::string_view entry = list.substr(0, colon);
            if (!entry.empty()) {
                return FromLocaleName(entry);
            }
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    return FromLocaleName(messages);
}

bool ParseUiLanguage(std::string_view value, std::string& language) {
    if (value != "ja" && value != "en") {
        return false;
    }
    language = std::string(value);
    return true;
}

}  // namespace kzv
