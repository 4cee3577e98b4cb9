#pragma once
#include <filesystem>
#include <string_view>

#include "GameFolder.h"
#include "IoResult.h"

namespace fl3 {

// What decides where the game's files are: where the program file lies, where
// the shipped files lie relative to it once installed, and the player's
// XDG_DATA_HOME and HOME (empty when unset).
struct GameFolderPlaces {
  std::filesystem::path executableDirectory;
  std::filesystem::path shippedFromExecutable;
  std::string xdgDataHome;
  std::string home;
};

// $XDG_DATA_HOME/fuselark3, or ~/.local/share/fuselark3 when that is unset or
// not an absolute path (a relative one would depend on where the game starts).
std::filesystem::path PlayersDirectory(std::string_view xdgDataHome, std::string_view home);

// Run from where it was built, the program's own folder holds the pictures
// and can be written: that one folder is everything, as it always was.
// Installed, the player's folder lies over the shipped one.
GameFolder ChooseGameFolder(const GameFolderPlaces& places);

// Makes the player's folder on the first start and copies into it the shipped
// key layouts it lacks, so the keys a player sees are the keys they edit, and
// finds out whether it can be written. Nothing to do for a single folder. A
// failure leaves the game playable from the shipped files; the reason is what
// every later save would meet.
IoResult PreparePlayersFolder(const GameFolder& folder);

// The one box at start-up for a player's folder that cannot be made or
// written: what will not be kept, and which folder to mend.
std::string UnwritableFolderText(const IoResult& prepared);

}  // namespace fl3
