#include "FuzzInput.h"
#include "dataset/MeshFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = WriteFuzzInput(data, size);
    if (path == nullptr) {
        return 0;
    }
    CMeshFile mesh;
    mesh.Read(path);
    FUZZ_CHECK(mesh.m_aPanelNo.size() == mesh.m_aNodeCount.size());
    size_t corners = 0;
    for (int p = 0; p < mesh.GetPanelCount(); ++p) {
        const int n = mesh.m_aNodeCount[static_cast<size_t>(p)];
        FUZZ_CHECK(n == 3 || n == 4);
        FUZZ_CHECK(mesh.GetNodeOffset(p) == corners);
        for (int k = 0; k < n; ++k) {
            FUZZ_CHECK(mesh.GetNodeTapNo(p, k) != 0);
        }
        corners += static_cast<size_t>(n);
    }
    FUZZ_CHECK(corners == mesh.m_aNodeTapNo.size());
    return 0;
}
