#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fl3 {

// The small text files of the game hold one decimal number per line, each
// line ended by CR LF.

// Their readers look at no more than this much of a file: the numbers they
// want stand at its start, and a huge file must not fill the memory.
inline constexpr std::size_t kNumberFileReadLimit = 64 * 1024;

std::string WriteNumberLines(const std::vector<std::int32_t>& values);

// Reads the first `count` lines as whole numbers: one entry per line, empty
// where the line is missing or is not a whole number that fits 32 bits.
std::vector<std::optional<std::int32_t>> ReadNumberLines(std::string_view text, std::size_t count);

std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

}  // namespace fl3
