#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace fl3::testing {

// A fresh folder under the system's temporary directory, removed again.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
  std::string Read(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace fl3::testing
