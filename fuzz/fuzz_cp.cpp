#include <cmath>

#include "FuzzInput.h"
#include "dataset/CpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = WriteFuzzInput(data, size);
    if (path == nullptr) {
        return 0;
    }
    CCpFile cp;
    const bool ok = cp.Read(path);
    FUZZ_CHECK(cp.m_nDirectionCount > 0 && cp.m_nDirectionCount % 8 == 0);
    FUZZ_CHECK(cp.m_aCp.size() == cp.m_aTapNo.size() * static_cast<size_t>(cp.m_nDirectionCount));
    FUZZ_CHECK(ok || cp.m_aTapNo.empty());
    for (int32_t tap : cp.m_aTapNo) {
        FUZZ_CHECK(std::isfinite(cp.GetCp(tap, cp.m_nDirectionCount - 1)));
    }
    (void)cp.GetCp(0, 0);
    return 0;
}
