#pragma once
#include <string>

namespace tunegen {

// Each returns the bytes of a standard MIDI file.
std::string ComposeBattle();   // driving, D minor, for the fight
std::string ComposeCavern();   // slow and echoing, A minor
std::string ComposeSunrise();  // bright and easy, G major

}  // namespace tunegen
