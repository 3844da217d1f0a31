#pragma once

#include <string>
#include <string_view>

// The language of the interface: Japanese ("ja"), the program's own, or English ("en").
namespace kzv {

// The language the user's locale asks for, from the environment variables as the C library
// and gettext weigh them: the locale of messages is the first non-empty of LC_ALL,
// LC_MESSAGES and LANG; unless it is set to "C" or "POSIX", LANGUAGE (a colon-separated list of
// preferences; its first non-empty entry counts) comes before it. "ja" when the winning value
// starts with "ja" ("ja", "ja_JP.UTF-8"), "en" for anything else, nothing set included.
// Null pointers count as unset.
std::string UiLanguageFromLocale(const char* language, const char* lcAll, const char* lcMessages,
                                 const char* lang);

// The value of "--lang": true for "ja" and "en" (then language holds it), false otherwise.
bool ParseUiLanguage(std::string_view value, std::string& language);

}  // namespace kzv
