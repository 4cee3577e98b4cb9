#include "GameFolderChoice.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <system_error>

#include "FileAccess.h"
#include "GameState.h"
#include "KeyLayout.h"

namespace fl3 {
namespace {

constexpr const char* kFolderName = "fuselark3";

bool IsBuildFolder(const std::filesystem::path& directory) {
  // Effective rights: what the game could actually write.
  return GameFolder(directory).Exists("C.BMP") && ::faccessat(AT_FDCWD, directory.c_str(), W_OK, AT_EACCESS) == 0;
}

IoResult CopyShippedKeys(const GameFolder& folder) {
  const GameFolder own(folder.Directory());
  for (int figure = 0; figure < FigureCount; ++figure) {
    const std::string name = KeyLayoutFileName(std::to_string(figure));
    if (own.Exists(name) || !folder.Exists(name)) continue;
    std::string bytes;
    // An unreadable shipped layout is no fault of the player's folder: the start-up reads it the same way.
    if (!folder.ReadAll(name, bytes)) continue;
    if (IoResult written = folder.WriteAtomically(name, bytes); !written) return written;
  }
  return IoResult::Success();
}

}  // namespace

std::filesystem::path PlayersDirectory(std::string_view xdgDataHome, std::string_view home) {
  const std::filesystem::path dataHome(xdgDataHome);
  if (dataHome.is_absolute()) return dataHome / kFolderName;
  return std::filesystem::path(home) / ".local" / "share" / kFolderName;
}

GameFolder ChooseGameFolder(const GameFolderPlaces& places) {
  if (IsBuildFolder(places.executableDirectory)) return GameFolder(places.executableDirectory);
  return GameFolder(PlayersDirectory(places.xdgDataHome, places.home),
                    (places.executableDirectory / places.shippedFromExecutable).lexically_normal());
}

IoResult PreparePlayersFolder(const GameFolder& folder) {
  if (folder.ShippedDirectory().empty()) return IoResult::Success();
  std::error_code error;
  std::filesystem::create_directories(folder.Directory(), error);
  if (error) return IoResult::Failure(DescribeFile(folder.Directory(), "cannot be made: " + error.message()));
  if (IoResult writable = CheckFolderWritable(folder.Directory()); !writable) return writable;
  return CopyShippedKeys(folder);
}

std::string UnwritableFolderText(const IoResult& prepared) {
  return "Nothing you save in this game will be kept: keys, settings and levels.\n" + prepared.reason +
         "\nMake that folder one you can write to, then start the game again.";
}

}  // namespace fl3
