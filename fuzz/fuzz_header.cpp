#include "FuzzInput.h"
#include "dataset/HeaderFile.h"
#include "text/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = WriteFuzzInput(data, size);
    if (path == nullptr) {
        return 0;
    }
    CHeaderFile header;
    if (header.Read(path)) {
        CHeaderFile copy;
        copy.CopyFrom(header);
        FUZZ_CHECK(copy.m_strSummary == header.m_strSummary);
    }
    // The texts go to the display through the code-page conversion: it must take any bytes.
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)kzv::Cp932ToUtf8(text);
    (void)kzv::FileTextToUtf8(text);
    (void)kzv::Utf8ToCp932(text);
    return 0;
}
