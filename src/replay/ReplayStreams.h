#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "match/ControlFrame.h"

namespace fl3 {

// The two run-coded streams of a replay file. Controls change rarely and
// usually one at a time, so a change costs a byte; frame times stay near the
// game's 51 ms, so a byte covers up to 15 equal frames.
//
// Controls: each byte flips one bit of the packed controls (bits 0-4: the bit,
// 31: none) and then repeats the controls for the next 0-6 frames (bits 5-7;
// 7: 7 plus a varint).
// Frame times: each byte holds the time (low nibble n < 15: 51 + n ms; 15: a
// varint follows with the time) and how many frames have it (high nibble
// n < 15: n + 1 frames; 15: 16 plus a varint, after the time's varint).
void EncodeControlStream(const std::vector<ControlFrame>& frames, std::string& out);
void EncodeFrameTimeStream(const std::vector<ControlFrame>& frames, std::string& out);

// Fill exactly `frames.size()` frames from the stream; false when the stream
// gives more or fewer, or holds a value no recording has.
bool DecodeControlStream(std::string_view bytes, std::vector<ControlFrame>& frames);
bool DecodeFrameTimeStream(std::string_view bytes, std::vector<ControlFrame>& frames);

// Bytes made of small little-endian 32-bit numbers (a level): the byte
// count, then each word zigzag-coded as a varint shifted left once, its low
// bit telling that a varint count of further equal words follows. Unpacking
// refuses more than `maxBytes`.
void PackWords(std::string_view bytes, std::string& out);
bool UnpackWords(std::string_view packed, std::size_t maxBytes, std::string& bytes);

// Unsigned LEB128 of at most 64 bits.
void PutVarint(std::string& out, std::uint64_t value);
bool GetVarint(std::string_view bytes, std::size_t& at, std::uint64_t& value);

}  // namespace fl3
