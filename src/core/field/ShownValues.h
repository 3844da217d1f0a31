#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataset/DataSet.h"
#include "field/DisplaySettings.h"
#include "field/Envelope.h"
#include "field/Selection.h"

// What of the data set's values the view shows: the table of one quantity (the mean or one of
// the extra tables), and of it one wind direction or the envelope over every direction. The
// contours, the value list, its exports and the status bar all read the values through this.

struct CShownValues {
    EValueQuantity quantity = EValueQuantity::Mean;
    int direction = 0;
    int envelope = ENVELOPE_NONE;  // EnvelopeChoice
    int method = VALUE_LINEAR;     // how an arbitrary point's values are interpolated

    bool IsEnvelope() const { return envelope != ENVELOPE_NONE; }
    EEnvelopeKind Kind() const;
    // The mean of one direction: what the program showed before there were other choices.
    bool IsPlainMean() const { return quantity == EValueQuantity::Mean && !IsEnvelope(); }
};

// The choice of the settings for this data set: a quantity the data set does not hold, or an
// index outside the quantities, shows the mean; an envelope choice outside EnvelopeChoice none.
CShownValues ShownValuesOf(const CDataSet& data, const CDisplaySettings& settings);

// The mean of one direction (the 16-direction export writes it whatever is shown).
inline CShownValues MeanOf(CShownValues shown) {
    shown.quantity = EValueQuantity::Mean;
    shown.envelope = ENVELOPE_NONE;
    return shown;
}

// A value shown and the direction it is taken from: the direction shown, or for an envelope
// the governing one (the first on ties); -1 without a value.
struct CShownValue {
    double value = NO_VALUE;
    int direction = -1;
};

// Of record i of "cp.dat" (the record order of every table).
CShownValue ShownValueOfRecord(const CDataSet& data, const CShownValues& shown, int32_t record);
// Of a tap by number (its first record).
CShownValue ShownValueOfTap(const CDataSet& data, const CShownValues& shown, int32_t tapNo);
// Of a point with values[d] for every direction of the shown quantity.
CShownValue ShownValueOf(const std::vector<double>& values, const CShownValues& shown);
// Of an arbitrary point: its stored values are the mean's; another quantity is interpolated
// from its table at the point's place, with the same method.
CShownValue ShownValueOfPoint(const CDataSet& data, const CShownValues& shown,
                              const CArbitraryPoint& point);

// The shown value of every record of "cp.dat", in one pass over the table (for an envelope, one
// pass over all its directions); directions, when given, receives the governing direction of
// each record (the shown direction when there is no envelope).
void ShownColumn(const CDataSet& data, const CShownValues& shown, std::vector<double>& values,
                 std::vector<int>* directions = nullptr);

// The envelope entry's text ("全風向の最大", "全風向の最小", "全風向の絶対値最大"); empty for none.
const char* EnvelopeLabel(int envelope);

// What is shown, for titles and captions (UTF-8): the quantity's label ("ピーク最小"), and for an
// envelope its entry after it ("ピーク最小 全風向の最小"). Empty for the mean of one direction,
// whose pictures and files stay as they were.
std::string ShownCaption(const CShownValues& shown);

// The text of a governing direction for the value list's "風向" column and the tap labels: the
// direction's angle as the direction control shows it; empty for -1.
std::string DirectionText(int directionCount, int direction);
