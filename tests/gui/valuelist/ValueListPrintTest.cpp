#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <map>

#include "GuiTestSupport.h"
#include "ui/PrintPrompt.h"
#include "valuelist/ValueListDlg.h"
#include "view/PickSupport.h"

namespace {

// A printed word: its left edge and top in points from the page's top-left corner.
struct Word {
    double x, y;
    QString text;
};
using Line = std::vector<Word>;
using Page = std::vector<Line>;

// The words of every page of a PDF (pdftotext from poppler-utils), grouped into lines.
std::vector<Page> ReadPdfLines(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    // pdftotext reads column by column; lines are the words at one height, left to right.
    std::vector<std::vector<Word>> words;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            words.emplace_back();
        } else if (!words.empty()) {
            words.back().push_back(
                {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)});
        }
    }
    std::vector<Page> pages;
    for (std::vector<Word>& onPage : words) {
        std::sort(onPage.begin(), onPage.end(), [](const Word& a, const Word& b) {
            return std::fabs(a.y - b.y) > 0.5 ? a.y < b.y : a.x < b.x;
        });
        Page page;
        for (const Word& word : onPage) {
            if (page.empty() || std::fabs(page.back().front().y - word.y) > 0.5) {
                page.emplace_back();
            }
            page.back().push_back(word);
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

// The value list printed through its "印刷" button to a PDF printer at 600 dpi with 20 mm
// margins, read back word by word.
class ValueListPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.Attach(state);
        m_previous = SetPrintDialogHook([this](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(600);
            printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
            layout = printer.pageLayout();
            return true;
        });
    }
    void TearDown() override { SetPrintDialogHook(m_previous); }
    void Print() {
        QPushButton* print = ControlOf<QPushButton>(&page, CValueListDlg::IDC_PRINT);
        QTest::mouseClick(print, Qt::LeftButton, {}, print->rect().center());
    }
    static double Points(double deviceUnits) { return deviceUnits * 72.0 / 600.0; }

    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    QPageLayout layout;
    CStateOwner state;
    CValueListDlg page;
    MessageLog messages;

private:
    KzPrintDialogHook m_previous;
};

TEST_F(ValueListPrintTest, RowsPrintAsLinesAtFixedColumnsOnAsManyPagesAsNeeded) {
    const int rowCount = 200;
    for (int i = 0; i < rowCount; ++i) {
        Arrange(state).m_valueList.AddPointRow(i % 3 == 0 ? -(i + 1) : 101 + i,
                                               static_cast<float>(i), -2.5f * static_cast<float>(i),
                                               1000.0f + i, 0.001 * i);
    }
    Print();
    ASSERT_TRUE(messages.entries.empty());
    const std::vector<Page> pages = ReadPdfLines(pdf);
    ASSERT_GE(pages.size(), 2u);

    // Every page holds as many lines as fit: the same number on each but the last.
    const size_t perPage = pages.front().size();
    size_t lines = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p + 1 < pages.size()) {
            EXPECT_EQ(pages[p].size(), perPage) << "page " << p;
        }
        EXPECT_LE(pages[p].size(), perPage);
        lines += pages[p].size();
    }
    EXPECT_EQ(lines, static_cast<size_t>(rowCount));
    const double step = pages[0][1].front().y - pages[0][0].front().y;
    const double printable = layout.paintRect(QPageLayout::Point).height();
    EXPECT_LE(perPage * step, printable + 0.5);
    EXPECT_GT((perPage + 1) * step, printable);

    // Columns at 10, 10 + 3w, 10 + 9w, 10 + 15w and 10 + 18w device units from the printable
    // area's left edge, w the font's widest character.
    const double left = layout.paintRect(QPageLayout::Point).left();
    const Line& first = pages[0][0];
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(first[0].text, QStringLiteral("-"));
    EXPECT_EQ(first[1].text, QStringLiteral("0"));
    EXPECT_EQ(first[3].text, QStringLiteral("1000"));
    const double w = (first[1].x - first[0].x) / 3;
    EXPECT_GT(w, Points(20));
    for (const Page& printed : pages) {
        for (const Line& line : printed) {
            ASSERT_EQ(line.size(), 5u) << line.front().text.toStdString();
            EXPECT_NEAR(line[0].x, left + Points(10), 0.6);
            const int multiples[5] = {0, 3, 9, 15, 18};
            for (int c = 1; c < 5; ++c) {
                EXPECT_NEAR(line[c].x - line[0].x, multiples[c] * w, 0.6) << c;
            }
        }
        // The first line's top is 10 device units below the printable area's top edge.
        EXPECT_NEAR(printed.front().front().y,
                    layout.paintRect(QPageLayout::Point).top() + Points(10), 1.0);
    }
    EXPECT_EQ(pages[1][0][0].text, QString::number(101 + static_cast<int>(perPage)));
}

TEST_F(ValueListPrintTest, AnEmptyListPrintsOneEmptyPageAndAPrinterThatCannotStartSaysSo) {
    Print();
    const std::vector<Page> pages = ReadPdfLines(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].empty());

    pdf = dir.filePath(QStringLiteral("no such folder/list.pdf"));
    Print();
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, QStringLiteral("印刷できません。"));
    EXPECT_EQ(messages.entries[0].caption, QStringLiteral("エラー"));
}

}  // namespace
