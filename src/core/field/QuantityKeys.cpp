#include "field/QuantityKeys.h"

#include "field/DisplaySettings.h"

namespace {
constexpr const char* kQuantityKeys[kValueQuantityCount] = {
    "mean", "max", "min", "rms", "peakmax", "peakmin", "difference"};
constexpr const char* kEnvelopeKeys[ENVELOPE_CHOICE_COUNT] = {"", "max", "min", "absmax"};
}  // namespace

const char* ValueQuantityKey(EValueQuantity q) {
    const int i = static_cast<int>(q);
    return i >= 0 && i < kValueQuantityCount ? kQuantityKeys[i] : "";
}

bool ValueQuantityFromKey(const std::string& key, EValueQuantity& q) {
    for (int i = 0; i < kValueQuantityCount; ++i) {
        if (key == kQuantityKeys[i]) {
            q = ValueQuantityAt(i);
            return true;
        }
    }
    return false;
}

const char* EnvelopeKey(int envelope) {
    return envelope > ENVELOPE_NONE && envelope < ENVELOPE_CHOICE_COUNT ? kEnvelopeKeys[envelope]
                                                                        : "";
}

int EnvelopeFromKey(const std::string& key) {
    for (int e = ENVELOPE_NONE + 1; e < ENVELOPE_CHOICE_COUNT; ++e) {
        if (key == kEnvelopeKeys[e]) {
            return e;
        }
    }
    return ENVELOPE_NONE;
}
