#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dataset/CpFile.h"

// The value tables of a data set beside the mean: "cpmax.dat", "cpmin.dat", "cprms.dat",
// "cppeakmax.dat" and "cppeakmin.dat", each in the format of "cp.dat" and read by the same
// reader. A data set may hold any of them, or none.

// What a table holds. Mean is "cp.dat" itself.
// Difference is no file: the shown data set minus the reference of a comparison, set while one
// is made (SetDifference).
enum class EValueQuantity { Mean, Max, Min, Rms, PeakMax, PeakMin, Difference };
constexpr int kValueQuantityCount = 7;
// The quantities read from files: the mean and the five tables.
constexpr int kFileQuantityCount = 6;

// The quantity at index 0 .. kValueQuantityCount - 1, in the order above.
inline EValueQuantity ValueQuantityAt(int index) {
    return static_cast<EValueQuantity>(index);
}

// Its file name ("cp.dat", "cpmax.dat", ...).
const char* ValueQuantityFileName(EValueQuantity q);
// Its label for the user, UTF-8 ("平均", "最大", "最小", "標準偏差", "ピーク最大", "ピーク最小").
const char* ValueQuantityLabel(EValueQuantity q);

// A table that is in the folder but is not used, with the reason as one line for the user
// (UTF-8): "<file name>（<label>）: <what is wrong>このファイルは使いません。".
struct CRefusedTable {
    EValueQuantity quantity = EValueQuantity::Max;
    std::string reason;
};

// One table file as read, before it is checked against the mean (see CValueTables::Take).
struct CTableFile {
    EValueQuantity quantity = EValueQuantity::Max;
    CCpFile table;
    kzv::CFileReadInfo info;
};

// Reads the file of quantity q (one of the five tables) in folder (a path ending in '/').
// Independent of "cp.dat", so the tables can be read while it is, each on its own thread.
CTableFile ReadTableFile(const std::string& folder, EValueQuantity q);

// The extra tables of one data set, each aligned record for record with the mean: record i of
// every held table has the tap number of record i of "cp.dat" and the values of that tap's
// first record in its own file; a tap of "cp.dat" that the table lacks has NO_VALUE in every
// direction, and records of taps that "cp.dat" lacks are left out. So a record index, and the
// values matrix of any quantity, mean the same tap whichever quantity is shown.
class CValueTables {
public:
    // Reads every extra table of the data-set folder (a path ending in '/', or a folder path
    // to which "/" is added), given "cp.dat" as read from it. A missing file is simply not
    // there. A table is taken only when it reads cleanly (no fault, no skipped, cut or short
    // line, no unusable number, its "EOF" line present) and its direction count is the mean's;
    // every other one present is refused with its reason in refused (when given). Replaces the
    // previous contents. Call only with a "cp.dat" that was read (Read returned true), and
    // again whenever "cp.dat" is read again: the alignment is made for that table.
    void Read(const std::string& folder, const CCpFile& mean,
              std::vector<CRefusedTable>* refused = nullptr);
    // The same with the files already read (ReadTableFile), in the order of the quantities;
    // the tables are moved out of files.
    void Take(std::vector<CTableFile>& files, const CCpFile& mean,
              std::vector<CRefusedTable>* refused = nullptr);

    // Takes table, already read with info, as the given quantity (not Mean): the same checks
    // and alignment as Read. True when taken; otherwise *reason (when given) says why.
    bool Accept(EValueQuantity q, CCpFile table, const kzv::CFileReadInfo& info,
                const CCpFile& mean, std::string* reason = nullptr);

    void Clear();
    // The difference of a comparison (a table of shown - reference by tap number, with the
    // mean's direction count) as the Difference quantity, aligned like a table; or none.
    void SetDifference(const CCpFile& difference, const CCpFile& mean);
    void DropDifference();
    // Changes whenever a table is taken or dropped, so that drawings made from the tables can
    // tell they are stale (a comparison's difference is made anew on every matching).
    uint64_t Stamp() const { return m_nStamp; }

    // Whether the quantity can be shown: the mean always, another when its table was taken.
    bool Has(EValueQuantity q) const;

    // The table of a quantity, record-aligned with mean (mean itself for Mean); null when the
    // quantity is not there.
    const CCpFile* Table(EValueQuantity q, const CCpFile& mean) const;

    // The value of record i of the mean for direction d in quantity q; NO_VALUE when the
    // quantity is not there or i or d is out of range.
    double ValueOfRecord(EValueQuantity q, const CCpFile& mean, int record, int d) const;
    // The same by tap number (the tap's first record in "cp.dat").
    double ValueOfTap(EValueQuantity q, const CCpFile& mean, int32_t tapNo, int d) const;

    // Taps of the mean without a record in the table of q (NO_VALUE there), and records of the
    // table whose taps the mean lacks (left out). 0 for a table that is not there.
    size_t MissingTaps(EValueQuantity q) const;
    size_t LeftOutRecords(EValueQuantity q) const;

private:
    struct Entry {
        bool present = false;
        CCpFile table;
        size_t missingTaps = 0;
        size_t leftOutRecords = 0;
    };
    std::array<Entry, kValueQuantityCount> m_entries;
    uint64_t m_nStamp = 0;
};
