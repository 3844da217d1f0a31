#pragma once

#include <string>

#include "dataset/ValueTables.h"

// The names by which the command line and the output records name what is shown: a quantity
// ("mean", "max", "min", "rms", "peakmax", "peakmin", "difference") and an envelope over every
// direction ("max", "min", "absmax"). ASCII, never translated.

const char* ValueQuantityKey(EValueQuantity q);
// False for a name that is no quantity.
bool ValueQuantityFromKey(const std::string& key, EValueQuantity& q);

// Empty for ENVELOPE_NONE (and any value outside the choices).
const char* EnvelopeKey(int envelope);
// ENVELOPE_NONE for a name that is no envelope.
int EnvelopeFromKey(const std::string& key);
