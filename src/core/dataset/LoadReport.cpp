#include "dataset/LoadReport.h"

#include <unordered_set>
#include <vector>

#include "dataset/CpFile.h"
#include "dataset/LineReader.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"
#include "text/CoreText.h"
#include "text/Translatable.h"

namespace kzv {

namespace {

std::string Num(uint64_t n) {
    return std::to_string(n);
}

}  // namespace

std::string FaultText(FileFault fault, const std::string& tag, uint64_t byteLimit) {
    switch (fault) {
        case FileFault::None:
            break;
        case FileFault::Missing:
            return CoreText(KZV_TR_NOOP("Core", "ファイルがありません。"));
        case FileFault::NotRegularFile:
            return CoreText(KZV_TR_NOOP(
                "Core",
                "通常のファイルではありません（フォルダ、名前付きパイプ、デバイスなど）。"));
        case FileFault::TooLarge:
            return CoreText(KZV_TR_NOOP("Core", "ファイルが大きすぎます（上限 %1 MB）。"),
                            {Num(byteLimit >> 20)});
        case FileFault::NoPermission:
            return CoreText(KZV_TR_NOOP("Core", "ファイルを読む権限がありません。"));
        case FileFault::ReadError:
            return CoreText(KZV_TR_NOOP("Core", "ファイルの読み込み中にエラーが発生しました。"));
        case FileFault::Utf16:
            return CoreText(KZV_TR_NOOP(
                "Core",
                "UTF-16 で保存されています。シフトJIS（CP932）か UTF-8 で保存してください。"));
        case FileFault::WrongTag:
            return CoreText(KZV_TR_NOOP("Core", "1 行目が「%1,1」の形ではありません。"), {tag});
        case FileFault::NewerVersion:
            return CoreText(
                KZV_TR_NOOP("Core", "このプログラムでは読めない新しい版のファイルです。"));
        case FileFault::BadDirectionCount:
            return CoreText(
                KZV_TR_NOOP("Core", "2 行目の方位数が 8 の倍数の正の整数ではありません。"));
        case FileFault::TooManyDirections:
            return CoreText(
                KZV_TR_NOOP(
                    "Core",
                    "2 行目の方位数が多すぎます（このプログラムが扱えるのは %1 方位までです）。"),
                {Num(static_cast<uint64_t>(kMaxDirectionCount))});
    }
    return std::string();
}

namespace {

// What is wrong with one file, as one line; empty when nothing is.
std::string FileFindings(const CFileReadInfo& info, const std::string& tag,
                         const std::string& endsEarlyText, const std::string& unusableText) {
    if (info.fault != FileFault::None) {
        return CoreText(KZV_TR_NOOP("Core", "読み込めません。")) +
               FaultText(info.fault, tag, info.byteLimit);
    }
    std::string text;
    if (info.skippedLines > 0) {
        text +=
            CoreText(KZV_TR_NOOP("Core", "読めない行を %1 行読み飛ばしました（最初は %2 行目）。"),
                     {Num(info.skippedLines), Num(info.firstSkippedLine)});
    }
    if (info.longLines > 0) {
        text += CoreText(
            KZV_TR_NOOP("Core",
                        "長すぎる行が %1 行あります（最初は %2 行目。1 行は %3 "
                        "文字まで）。その行は読んでいません。"),
            {Num(info.longLines), Num(info.firstLongLine), Num(CLineReader::kMaxLineLength)});
    }
    if (info.countMismatchLines > 0) {
        text += CoreText(
            KZV_TR_NOOP("Core",
                        "値の数が方位数 %1 と合わない行が %2 行あります（最初の行は %3 個）。"),
            {Num(static_cast<uint64_t>(info.directionCount)), Num(info.countMismatchLines),
             Num(static_cast<uint64_t>(info.firstMismatchValueCount))});
    }
    if (info.unusableNumbers > 0) {
        text +=
            CoreText(
                KZV_TR_NOOP(
                    "Core",
                    "使えない数値（絶対値が大きすぎるもの）が %1 個あります（最初は %2 行目）。"),
                {Num(info.unusableNumbers), Num(info.firstUnusableLine)}) +
            unusableText;
    }
    if (info.stoppedAtLine > 0) {
        text += CoreText(KZV_TR_NOOP("Core", "%1 行目が読めないため、そこから先を読んでいません。"),
                         {Num(info.stoppedAtLine)});
    }
    if (info.decimalCommaLines > 0) {
        text +=
            CoreText(KZV_TR_NOOP("Core",
                                 "小数点にコンマを使った数値の行が %1 "
                                 "行あります。小数点はピリオドで「1.5」のように書いてください。"),
                     {Num(info.decimalCommaLines)});
    }
    if (info.endsEarly) {
        text += endsEarlyText;
    }
    return text;
}

}  // namespace

void CheckMeshAgainstPositions(CLoadReport& report, const CMeasurePosFile& taps,
                               const CMeshFile& mesh) {
    report.cornersWithoutPosition = 0;
    report.tapsWithoutPosition = 0;
    report.firstTapWithoutPosition = 0;
    std::unordered_set<int32_t> seen;
    for (int32_t tap : mesh.m_aNodeTapNo) {
        if (taps.FindTap(tap) >= 0) {
            continue;
        }
        if (report.cornersWithoutPosition++ == 0) {
            report.firstTapWithoutPosition = tap;
        }
        seen.insert(tap);
    }
    report.tapsWithoutPosition = seen.size();
}

std::string LoadReportMessage(const CLoadReport& report) {
    const std::string noEof = CoreText(KZV_TR_NOOP(
        "Core", "終わりの「EOF」の行がありません。ファイルが途中で切れている可能性があります。"));
    const std::string cutShort = CoreText(KZV_TR_NOOP("Core", "ファイルが途中で終わっています。"));
    struct Entry {
        const char* name;
        const CFileReadInfo& info;
        const char* tag;
        std::string endsEarlyText;
        std::string unusableText;
    };
    const std::string corners = CoreText(KZV_TR_NOOP("Core", "その頂点は使っていません。"));
    const std::vector<Entry> files = {
        {"header", report.header, "HEADER_FILE",
         CoreText(KZV_TR_NOOP(
             "Core", "ファイルが途中で終わっています（「END」の行かその後の 4 行がありません）。")),
         ""},
        {"main.geo", report.mainGeo, "GEOMETRY_FILE", cutShort, corners},
        {"sub.geo", report.subGeo, "GEOMETRY_FILE", cutShort, corners},
        {"measure.pos", report.measurePos, "MEASUREPOS_FILE", noEof,
         CoreText(KZV_TR_NOOP("Core", "その測定点は使っていません。"))},
        {"cp.dat", report.cpDat, "CP_FILE", noEof,
         CoreText(KZV_TR_NOOP("Core", "値なしとして扱います。"))},
        {"mesh.msh", report.meshMsh, "MESH_FILE", noEof, ""},
    };
    std::string lines;
    for (const Entry& file : files) {
        std::string text = FileFindings(file.info, file.tag, file.endsEarlyText, file.unusableText);
        if (file.info.fault == FileFault::None && &file.info == &report.meshMsh &&
            report.cornersWithoutPosition > 0) {
            text += CoreText(
                KZV_TR_NOOP("Core",
                            "measure.pos に位置のない測定点（%1 点、例えば %2）を参照する頂点が %3 "
                            "個あります。"),
                {Num(report.tapsWithoutPosition), std::to_string(report.firstTapWithoutPosition),
                 Num(report.cornersWithoutPosition)});
        }
        if (!text.empty()) {
            lines += std::string(file.name) + ": " + text + "\n";
        }
        if (&file.info == &report.cpDat) {
            for (const std::string& refused : report.refusedTables) {
                lines += refused + "\n";
            }
        }
    }
    if (lines.empty()) {
        return std::string();
    }
    return CoreText(KZV_TR_NOOP(
               "Core",
               "データセットの一部を読み込めませんでした。読み込めたデータだけを表示します。")) +
           "\n\n" + lines;
}

}  // namespace kzv
