// What the view shows beyond the mean of one direction, on the samples that carry the extra
// tables: the envelope against a loop over the directions, the quantity falling back to the
// mean where its table is missing, the exports, and the load message for a refused table.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "state/SelectionSteps.h"
#include "state/ViewState.h"
#include "text/CodePage.h"
#include "text/NumberFormat.h"
#include "valuelist/ValueListExport.h"

namespace {

const std::string kSamples = KZV_SAMPLES_DIR;

CViewState Loaded(const std::string& folder) {
    CViewState state;
    state.LoadDataSet(folder, CHeaderFile(), 800, 600);
    return state;
}

TEST(ShownValues, TheEnvelopeColumnIsTheExtremeOverTheDirectionsWithTheFirstDirectionOnTies) {
    const CViewState state = Loaded(kSamples + "lshape/");
    const CCpFile& table = state.m_data.Table(EValueQuantity::PeakMin);
    ASSERT_NE(&table, &state.m_data.m_cp);
    const int n = table.m_nDirectionCount;
    for (int envelope : {ENVELOPE_MAX, ENVELOPE_MIN, ENVELOPE_ABSMAX}) {
        CShownValues shown;
        shown.quantity = EValueQuantity::PeakMin;
        shown.envelope = envelope;
        std::vector<double> values;
        std::vector<int> directions;
        ShownColumn(state.m_data, shown, values, &directions);
        ASSERT_EQ(values.size(), state.m_data.m_cp.m_aTapNo.size());
        for (size_t i = 0; i < values.size(); ++i) {
            double best = 0;
            int at = -1;
            for (int d = 0; d < n; ++d) {
                const double v = table.m_aCp[i * static_cast<size_t>(n) + static_cast<size_t>(d)];
                const bool better = envelope == ENVELOPE_MAX   ? v > best
                                    : envelope == ENVELOPE_MIN ? v < best
                                                               : std::fabs(v) > std::fabs(best);
                if (at < 0 || better) {
                    best = v;
                    at = d;
                }
            }
            ASSERT_EQ(values[i], best) << i;
            ASSERT_EQ(directions[i], at) << i;
            const CShownValue one = ShownValueOfRecord(state.m_data, shown, static_cast<int>(i));
            ASSERT_EQ(one.value, best);
            ASSERT_EQ(one.direction, at);
        }
    }
    // A data set without the table shows the mean.
    CViewState tower = Loaded(kSamples + "tower/");
    tower.m_settings.m_nQuantity = static_cast<int>(EValueQuantity::PeakMin);
    EXPECT_EQ(ShownValuesOf(tower.m_data, tower.m_settings).quantity, EValueQuantity::Mean);
}

// CSV: a title line and the "風向" column while an envelope is shown, nothing new for the mean
// of one direction; the Tolvex file holds the mean whatever is shown.
TEST(ShownValues, ExportsSayWhatIsShownAndTolvexStaysTheMean) {
    CViewState state = Loaded(kSamples + "lshape/");
    SelectMeasurementPoint(state, 0);
    const int tap = state.m_valueList.GetRowId(0);
    std::string meanTolvex;
    ASSERT_TRUE(MakeTolvexBytes(state.m_valueList.Rows(), state.Points(), 0, meanTolvex));
    const std::string plainCsv = MakeCsvBytes(state.m_valueList.Rows());

    state.m_settings.m_nQuantity = static_cast<int>(EValueQuantity::Min);
    state.m_settings.m_nEnvelope = ENVELOPE_MIN;
    state.Follow(ASPECT_DIRECTION);
    const CShownValues shown = state.Points().shown;
    const CShownValue v = ShownValueOfTap(state.m_data, shown, tap);
    const std::string angle = DirectionText(state.m_data.m_cp.m_nDirectionCount, v.direction);
    ASSERT_FALSE(angle.empty());
    EXPECT_EQ(MakeCsvBytes(state.m_valueList.Rows(), ShownCaption(shown), true),
              kzv::Utf8ToCp932("最小 全風向の最小\r\nNo,X,Y,Z,風圧係数,風向\r\n") +
                  plainCsv.substr(plainCsv.find("\r\n") + 2,
                                  plainCsv.rfind(',') - plainCsv.find("\r\n") - 1) +
                  kzv::FormatG(v.value) + "," + angle + "\r\n");
    std::string tolvex;
    ASSERT_TRUE(MakeTolvexBytes(state.m_valueList.Rows(), state.Points(), 0, tolvex));
    EXPECT_EQ(tolvex, meanTolvex);
}

TEST(ShownValues, ARefusedTableIsNamedInTheLoadMessageAndTheRestIsShown) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "kzv-shown-values-refused";
    fs::remove_all(folder);
    fs::copy(kSamples + "gable", folder);
    {
        std::ofstream cut(folder / "cpmax.dat", std::ios::trunc);
        cut << "CP_FILE\n";  // no directions, no records, no EOF
    }
    const CViewState state = Loaded(folder.string() + "/");
    EXPECT_FALSE(state.m_data.m_tables.Has(EValueQuantity::Max));
    EXPECT_TRUE(state.m_data.m_tables.Has(EValueQuantity::Min));
    EXPECT_NE(state.m_data.m_strLoadReport.find("cpmax.dat（最大）: "), std::string::npos)
        << state.m_data.m_strLoadReport;
    EXPECT_EQ(state.m_data.m_strLoadReport.find("cpmin.dat"), std::string::npos);
    fs::remove_all(folder);
}

}  // namespace
