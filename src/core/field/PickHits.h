#pragma once

#include <cstdint>

namespace kzv {

// Name of "nothing picked" (all bits set) and its depth.
constexpr uint32_t NO_PICK = 0xFFFFFFFFu;
constexpr float NO_PICK_DEPTH = 2147483648.0f;

// Walks the hit records of an OpenGL selection buffer (name count, minimum depth, maximum
// depth, names). Every name of every record is copied in order to names (at most
// namesCapacity). Returns the first name of the record with the smallest minimum depth
// (depth = minimum * 2^-32 as float; a later record wins only when strictly nearer), and puts
// that depth in *depth. No hits, a negative count (buffer overflow) or a record that runs past
// the buffer give NO_PICK and NO_PICK_DEPTH for what is missing.
uint32_t ProcessHitRecords(const uint32_t* buffer, int bufferSize, int hits, uint32_t* names,
                           int namesCapacity, float* depth);

}  // namespace kzv
