#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quenmark::testing {

// A fresh folder under the system's temporary folder (GetTempPathW), removed with all it
// holds, whatever the attributes, when the object goes. Paths are UTF-8 with "\".
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::string& path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + "\\" + std::string(name); }

 private:
  std::string path_;
};

// Writes a file with CreateFileW and gives it the attributes (0 leaves them as created).
// Returns false when either step fails.
bool writeTestFile(const std::string& path, std::string_view bytes, std::uint32_t attributes = 0);
// The whole file, or "<missing>" when it cannot be read.
std::string readTestFile(const std::string& path);
// Clears the attributes that stop deletion, then deletes the file or the folder tree.
void removeTree(const std::string& path);

}  // namespace quenmark::testing
