#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "dataset/DataSetLoad.h"
#include "state/SettingsFile.h"

// The display-settings reader on any bytes, against a loaded sample: a read either fails and
// leaves the state as it was, or succeeds and the state can be written and read again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const CViewState loaded = [] {
        CViewState state;
        state.LoadDataSet(std::string(KZV_SAMPLES_DIR) + "gable/", CHeaderFile(), 800, 600);
        return state;
    }();
    static const std::string reference = MakeSettingsFileBytes(loaded);
    CViewState state = loaded;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CSettingsFileRead read;
    if (!ReadSettingsFileBytes(bytes, state, &read)) {
        FUZZ_CHECK(MakeSettingsFileBytes(state) == reference);
        return 0;
    }
    state.m_nBuildingAngleStep = read.sliderPosition;
    const std::string written = MakeSettingsFileBytes(state);
    CViewState again = loaded;
    FUZZ_CHECK(ReadSettingsFileBytes(written, again, nullptr));
    return 0;
}
