#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace quenmark {

// File attribute bits as Windows reports them; a search mask uses the same bits.
namespace attr {
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHidden = 0x2;
inline constexpr std::uint32_t kSystem = 0x4;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kNormal = 0x80;
}  // namespace attr

// The file system as the program sees it. Paths are UTF-8 with "\" separators.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Directory search in the manner of FindFirstFile/FindNextFile: the names (without folder)
  // of the entries matching `pattern` (wildcards * and ?, letter case ignored), in the
  // order the system returns them. Entries that are hidden, system or folders are returned
  // only when `mask` holds that bit; "." and ".." never. A failed search gives no names.
  virtual std::vector<std::string> find(const std::string& pattern, std::uint32_t mask) const = 0;

  // The whole file, byte for byte.
  virtual Result<std::string> readFile(const std::string& path) const = 0;
  // Up to `size` bytes of the file from byte `offset` on: fewer at its end, none past it.
  virtual Result<std::string> readFilePart(const std::string& path, std::uint64_t offset,
                                           std::size_t size) const = 0;

  // Replaces (or creates) the file in one step: afterwards it holds exactly `bytes`, or, on
  // failure, whatever it held before, byte for byte.
  virtual Status replaceFile(const std::string& path, std::string_view bytes) = 0;

  virtual Status deleteFile(const std::string& path) = 0;
  virtual bool directoryExists(const std::string& path) const = 0;
  virtual Status createDirectory(const std::string& path) = 0;
};

}  // namespace quenmark
