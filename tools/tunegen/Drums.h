#pragma once

// General MIDI drum keys used by the tunes.
namespace tunegen::drum {
inline constexpr int kKick = 36;
inline constexpr int kSideStick = 37;
inline constexpr int kSnare = 38;
inline constexpr int kLowFloorTom = 41;
inline constexpr int kClosedHat = 42;
inline constexpr int kHighFloorTom = 43;
inline constexpr int kPedalHat = 44;
inline constexpr int kLowTom = 45;
inline constexpr int kOpenHat = 46;
inline constexpr int kLowMidTom = 47;
inline constexpr int kHighMidTom = 48;
inline constexpr int kCrash = 49;
inline constexpr int kHighTom = 50;
inline constexpr int kRide = 51;
inline constexpr int kRideBell = 53;
inline constexpr int kTambourine = 54;
inline constexpr int kShaker = 70;  // maracas
inline constexpr int kCabasa = 69;
inline constexpr int kHighWoodBlock = 76;
inline constexpr int kLowWoodBlock = 77;
inline constexpr int kTriangle = 81;
inline constexpr int kHandClap = 39;
}  // namespace tunegen::drum
