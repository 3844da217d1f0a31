#include "FuzzInput.h"
#include "dataset/MeasurePosFile.h"
#include "geometry/VectorFunctions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = WriteFuzzInput(data, size);
    if (path == nullptr) {
        return 0;
    }
    CMeasurePosFile pos;
    pos.Read(path);
    FUZZ_CHECK(pos.m_aTapNo.size() == pos.m_aPos.size());
    for (int32_t tap : pos.m_aTapNo) {
        (void)pos.GetPosition(tap);
    }
    (void)pos.GetPosition(-1);
    pos.RotateAboutZ(DegToRad(37.0));
    return 0;
}
