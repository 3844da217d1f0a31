#include <gtest/gtest.h>

#include "text/UiLanguage.h"

namespace {

// The locale decides the interface's language as gettext would: LANGUAGE first unless the
// messages locale is C, then LC_ALL, LC_MESSAGES, LANG; Japanese only for a "ja" value.
TEST(UiLanguage, FollowsTheLocaleAsGettextWeighsIt) {
    EXPECT_EQ(kzv::UiLanguageFromLocale(nullptr, nullptr, nullptr, "ja_JP.UTF-8"), "ja");
    EXPECT_EQ(kzv::UiLanguageFromLocale(nullptr, nullptr, nullptr, "en_GB.UTF-8"), "en");
    EXPECT_EQ(kzv::UiLanguageFromLocale(nullptr, nullptr, nullptr, "de_DE.UTF-8"), "en");
    EXPECT_EQ(kzv::UiLanguageFromLocale(nullptr, nullptr, nullptr, nullptr), "en");
    EXPECT_EQ(kzv::UiLanguageFromLocale("", "", "", ""), "en");
    // LC_ALL over LC_MESSAGES over LANG; empty values count as unset.
    EXPECT_EQ(kzv::UiLanguageFromLocale(nullptr, "en_US.UTF-8", "ja_JP", "ja_JP"), "en");
    EXPECT_EQ(kzv::UiLanguageFromLocale(nullptr, "", "ja_JP.eucJP", "en_US"), "ja");
    // LANGUAGE's first non-empty entry wins over the locale, except in the C locale.
    EXPECT_EQ(kzv::UiLanguageFromLocale("::ja:en", nullptr, nullptr, "en_US.UTF-8"), "ja");
    EXPECT_EQ(kzv::UiLanguageFromLocale("en_GB:ja", nullptr, nullptr, "ja_JP.UTF-8"), "en");
    EXPECT_EQ(kzv::UiLanguageFromLocale("ja", "C", nullptr, "ja_JP.UTF-8"), "en");
    EXPECT_EQ(kzv::UiLanguageFromLocale("ja", nullptr, nullptr, "POSIX"), "en");
    EXPECT_EQ(kzv::UiLanguageFromLocale("ja", nullptr, nullptr, nullptr), "ja");
    // Only the two languages pass "--lang".
    std::string language = "unchanged";
    EXPECT_FALSE(kzv::ParseUiLanguage("", language));
    EXPECT_FALSE(kzv::ParseUiLanguage("EN", language));
    EXPECT_FALSE(kzv::ParseUiLanguage("ja_JP", language));
    EXPECT_EQ(language, "unchanged");
    EXPECT_TRUE(kzv::ParseUiLanguage("en", language));
    EXPECT_EQ(language, "en");
}

}  // namespace
