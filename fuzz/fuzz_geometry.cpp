#include "FuzzInput.h"
#include "dataset/Geometry.h"
#include "geometry/VectorFunctions.h"
#include "text/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = WriteFuzzInput(data, size);
    if (path == nullptr) {
        return 0;
    }
    CGeometry geo;
    const bool ok = geo.Load(path);
    FUZZ_CHECK(ok || geo.m_objects.empty());
    for (const CGeometryObject& obj : geo.m_objects) {
        FUZZ_CHECK(obj.m_nDisplayMode == 1);
        (void)kzv::FileTextToUtf8(obj.m_strName);
    }
    (void)geo.GetSize();
    CVector4 lo, hi;
    geo.GetBounds(lo, hi);
    CGeometry copy;
    copy = geo;
    copy.RotateAboutZ(DegToRad(90.0));
    return 0;
}
