#include "dataset/ValueTables.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "dataset/LineReader.h"
#include "dataset/LoadReport.h"
#include "text/CoreText.h"
#include "text/Translatable.h"

namespace {

struct QuantityName {
    const char* file;
    const char* label;
};

constexpr QuantityName kNames[kValueQuantityCount] = {
    {"cp.dat", KZV_TR_NOOP("Core", "平均")},
    {"cpmax.dat", KZV_TR_NOOP("Core", "最大")},
    {"cpmin.dat", KZV_TR_NOOP("Core", "最小")},
    {"cprms.dat", KZV_TR_NOOP("Core", "標準偏差")},
    {"cppeakmax.dat", KZV_TR_NOOP("Core", "ピーク最大")},
    {"cppeakmin.dat", KZV_TR_NOOP("Core", "ピーク最小")},
    {"", KZV_TR_NOOP("Core", "差（表示データ − 比較データ）")},
};

size_t Slot(EValueQuantity q) {
    return static_cast<size_t>(q);
}

bool IsQuantity(EValueQuantity q) {
    return static_cast<int>(q) >= 0 && static_cast<int>(q) < kValueQuantityCount;
}

std::string Num(uint64_t n) {
    return std::to_string(n);
}

// Why a table read with info (direction count n against the mean's meanCount) is not used;
// empty when it can be.
std::string RefusalText(const kzv::CFileReadInfo& info, int n, int meanCount) {
    if (info.fault != kzv::FileFault::None) {
        return kzv::CoreText(KZV_TR_NOOP("Core", "読み込めません。")) +
               kzv::FaultText(info.fault, "CP_FILE", info.byteLimit);
    }
    std::string text;
    if (n != meanCount) {
        text +=
            kzv::CoreText(KZV_TR_NOOP("Core", "方位数 %1 が cp.dat の方位数 %2 と違います。"),
                          {Num(static_cast<uint64_t>(n)), Num(static_cast<uint64_t>(meanCount))});
    }
    if (info.skippedLines > 0) {
        text += kzv::CoreText(KZV_TR_NOOP("Core", "読めない行が %1 行あります（最初は %2 行目）。"),
                              {Num(info.skippedLines), Num(info.firstSkippedLine)});
    }
    if (info.longLines > 0) {
        text += kzv::CoreText(
            KZV_TR_NOOP("Core",
                        "長すぎる行が %1 行あります（最初は %2 行目。1 行は %3 文字まで）。"),
            {Num(info.longLines), Num(info.firstLongLine), Num(kzv::CLineReader::kMaxLineLength)});
    }
    if (info.countMismatchLines > 0) {
        text += kzv::CoreText(
            KZV_TR_NOOP("Core", "値の数が方位数 %1 と合わない行が %2 行あります。"),
            {Num(static_cast<uint64_t>(info.directionCount)), Num(info.countMismatchLines)});
    }
    if (info.unusableNumbers > 0) {
        text += kzv::CoreText(
            KZV_TR_NOOP(
                "Core",
                "使えない数値（絶対値が大きすぎるもの）が %1 個あります（最初は %2 行目）。"),
            {Num(info.unusableNumbers), Num(info.firstUnusableLine)});
    }
    if (info.decimalCommaLines > 0) {
        text +=
            kzv::CoreText(KZV_TR_NOOP("Core", "小数点にコンマを使った数値の行が %1 行あります。"),
                          {Num(info.decimalCommaLines)});
    }
    if (info.endsEarly) {
        text += kzv::CoreText(KZV_TR_NOOP("Core", "終わりの「EOF」の行がありません。"));
    }
    return text;
}

}  // namespace

const char* ValueQuantityFileName(EValueQuantity q) {
    return IsQuantity(q) ? kNames[Slot(q)].file : "";
}

const char* ValueQuantityLabel(EValueQuantity q) {
    return IsQuantity(q) ? kNames[Slot(q)].label : "";
}

void CValueTables::Clear() {
    for (Entry& e : m_entries) {
        e = Entry();
    }
    ++m_nStamp;
}

CTableFile ReadTableFile(const std::string& folder, EValueQuantity q) {
    CTableFile file;
    file.quantity = q;
    file.table.Read((folder + ValueQuantityFileName(q)).c_str(), &file.info);
    return file;
}

void CValueTables::Read(const std::string& folder, const CCpFile& mean,
                        std::vector<CRefusedTable>* refused) {
    const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::vector<CTableFile> files;
    for (int k = 1; k < kFileQuantityCount; ++k) {
        files.push_back(ReadTableFile(base, ValueQuantityAt(k)));
    }
    Take(files, mean, refused);
}

void CValueTables::Take(std::vector<CTableFile>& files, const CCpFile& mean,
                        std::vector<CRefusedTable>* refused) {
    Clear();
    for (CTableFile& file : files) {
        if (file.info.fault == kzv::FileFault::Missing) {
            continue;
        }
        std::string reason;
        if (!Accept(file.quantity, std::move(file.table), file.info, mean, &reason) &&
            refused != nullptr) {
            refused->push_back({file.quantity, reason});
        }
    }
}

void CValueTables::SetDifference(const CCpFile& difference, const CCpFile& mean) {
    Accept(EValueQuantity::Difference, difference, kzv::CFileReadInfo(), mean);
}

void CValueTables::DropDifference() {
    m_entries[Slot(EValueQuantity::Difference)] = Entry();
    ++m_nStamp;
}

bool CValueTables::Accept(EValueQuantity q, CCpFile table, const kzv::CFileReadInfo& info,
                          const CCpFile& mean, std::string* reason) {
    if (!IsQuantity(q) || q == EValueQuantity::Mean) {
        return false;
    }
    Entry& entry = m_entries[Slot(q)];
    entry = Entry();
    ++m_nStamp;
    const int n = info.fault == kzv::FileFault::None ? table.m_nDirectionCount : 0;
    const std::string why = RefusalText(info, n, mean.m_nDirectionCount);
    if (!why.empty()) {
        if (reason != nullptr) {
            *reason = kzv::CoreText(
                KZV_TR_NOOP("Core", "%1（%2）: %3このファイルは使いません。"),
                {ValueQuantityFileName(q), kzv::CoreText(ValueQuantityLabel(q)), why});
        }
        return false;
    }
    entry.present = true;
    if (table.m_aTapNo == mean.m_aTapNo) {
        entry.table = std::move(table);  // the usual case: written in the same order
        return true;
    }
    // Records in another order, or taps of one file only: look each tap of the mean up.
    const size_t dirs = static_cast<size_t>(n);
    CCpFile& aligned = entry.table;
    aligned.m_nDirectionCount = n;
    aligned.m_aTapNo = mean.m_aTapNo;
    aligned.m_aCp.assign(mean.m_aTapNo.size() * dirs, NO_VALUE);
    for (size_t i = 0; i < mean.m_aTapNo.size(); ++i) {
        const int j = table.FindRecord(mean.m_aTapNo[i]);
        if (j < 0) {
            ++entry.missingTaps;
            continue;
        }
        const double* from = table.m_aCp.data() + static_cast<size_t>(j) * dirs;
        std::copy(from, from + dirs, aligned.m_aCp.begin() + static_cast<ptrdiff_t>(i * dirs));
    }
    for (int32_t tapNo : table.m_aTapNo) {
        if (mean.FindRecord(tapNo) < 0) {
            ++entry.leftOutRecords;
        }
    }
    aligned.RebuildIndex();
    return true;
}

bool CValueTables::Has(EValueQuantity q) const {
    return q == EValueQuantity::Mean || (IsQuantity(q) && m_entries[Slot(q)].present);
}

const CCpFile* CValueTables::Table(EValueQuantity q, const CCpFile& mean) const {
    if (q == EValueQuantity::Mean) {
        return &mean;
    }
    return Has(q) ? &m_entries[Slot(q)].table : nullptr;
}

double CValueTables::ValueOfRecord(EValueQuantity q, const CCpFile& mean, int record, int d) const {
    const CCpFile* table = Table(q, mean);
    const int n = mean.m_nDirectionCount;
    if (table == nullptr || record < 0 || d < 0 || d >= n) {
        return NO_VALUE;
    }
    const size_t k = static_cast<size_t>(record) * static_cast<size_t>(n) + static_cast<size_t>(d);
    return k < table->m_aCp.size() ? table->m_aCp[k] : NO_VALUE;
}

double CValueTables::ValueOfTap(EValueQuantity q, const CCpFile& mean, int32_t tapNo, int d) const {
    return ValueOfRecord(q, mean, mean.FindRecord(tapNo), d);
}

size_t CValueTables::MissingTaps(EValueQuantity q) const {
    return Has(q) && q != EValueQuantity::Mean ? m_entries[Slot(q)].missingTaps : 0;
}

size_t CValueTables::LeftOutRecords(EValueQuantity q) const {
    return Has(q) && q != EValueQuantity::Mean ? m_entries[Slot(q)].leftOutRecords : 0;
}
