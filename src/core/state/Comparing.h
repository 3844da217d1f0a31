#pragma once

#include <string>
#include <vector>

#include "dataset/HeaderFile.h"
#include "field/Comparison.h"
#include "state/ViewState.h"
#include "text/Translatable.h"

// A second data set loaded beside the shown one as the reference of a comparison: its taps
// matched to the shown ones, the values of both side by side and their difference.

// What a comparison's start, new matching or end changes: the reference and, through the
// difference quantity, the values shown.
constexpr unsigned ASPECT_COMPARISON = ASPECT_REFERENCE | ASPECT_DIRECTION;

inline constexpr const char* MSG_COMPARE_DIRECTIONS = KZV_TR_NOOP(
    "Core", "比較データの風向数 (%d) が表示データの風向数 (%d) と違うため、比較できません。");
inline constexpr const char* MSG_COMPARE_UNMATCHED =
    KZV_TR_NOOP("Core", "比較データと対応しない測定点があります: ");

// Loads the data set at folder as the reference and compares it with the shown one (taps
// matched by number, or by position within toleranceMm when the numbers do not fit). False,
// with the reference left empty and the reason in *reason, when the direction counts differ.
bool StartComparison(CViewState& state, const std::string& folder, const CHeaderFile& header,
                     double toleranceMm, std::string* reason);
// Matches the taps again with another tolerance (the mode chosen afresh) and compares.
void RematchComparison(CViewState& state, double toleranceMm);
// The reference and the comparison dropped: the state as before the comparison.
void EndComparison(CViewState& state);
inline bool IsComparing(const CViewState& state) {
    return state.m_reference.HasDataSet();
}

// The face of the main geometry (its pick name, see PickedFace) that holds each matched-or-not
// tap of the comparison, in the matching's order; -1 for a tap on no face. Faces of the
// as-read geometry and taps, so the building's turn does not matter.
std::vector<int> FacesOfTaps(const CViewState& state);

// "面 <n+1>": the name of face n in the agreement window and its CSV.
std::string FaceName(int face);

// What is shown, as the picture's caption and the CSV's title line say it (ShownCaption), with
// both data sets named while their difference is shown: "<caption>: <shown> − <reference>".
std::string ShownStateCaption(const CViewState& state);

// The agreement tables of the comparison: the direction shown, then all directions.
std::vector<CAgreementTable> AgreementTables(const CViewState& state);
