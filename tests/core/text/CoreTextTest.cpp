#include <gtest/gtest.h>

#include <cstring>

#include "dataset/LoadReport.h"
#include "text/CoreText.h"

namespace {

// A translator as the interface installs one: whole sentences, their arguments in any order.
std::string Reversed(const char* source) {
    if (std::strcmp(source, "読めない行を %1 行読み飛ばしました（最初は %2 行目）。") == 0) {
        return "line %2 first of %1 skipped; ";
    }
    return source;
}

TEST(CoreText, WholeSentencesAreTranslatedAndTheirArgumentsFilledIn) {
    kzv::CLoadReport report;
    report.cpDat.skippedLines = 3;
    report.cpDat.firstSkippedLine = 17;
    const std::string japanese = kzv::LoadReportMessage(report);
    EXPECT_NE(japanese.find("cp.dat: 読めない行を 3 行読み飛ばしました（最初は 17 行目）。"),
              std::string::npos)
        << japanese;
    kzv::SetCoreTranslator(&Reversed);
    const std::string translated = kzv::LoadReportMessage(report);
    kzv::SetCoreTranslator(nullptr);
    EXPECT_NE(translated.find("cp.dat: line 17 first of 3 skipped; "), std::string::npos)
        << translated;
    // A "%" that names no argument stays as it is.
    EXPECT_EQ(kzv::CoreText("100% %1 %9", {"x"}), "100% x %9");
    EXPECT_EQ(kzv::LoadReportMessage(report), japanese);
}

}  // namespace
