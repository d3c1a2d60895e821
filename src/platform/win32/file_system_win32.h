#pragma once

#include "platform/file_system.h"

namespace quenmark::win32 {

// The real file system through the W functions. Failures carry GetLastError() and the
// system's description of it.
class Win32FileSystem final : public FileSystem {
 public:
  std::vector<std::string> find(const std::string& pattern, std::uint32_t mask) const override;
  Result<std::string> readFile(const std::string& path) const override;
  Result<std::string> readFilePart(const std::string& path, std::uint64_t offset,
                                   std::size_t size) const override;
  // Writes a temporary file beside the target, then moves it over the target in one step,
  // so that a failure at any point leaves the old file as it was.
  Status replaceFile(const std::string& path, std::string_view bytes) override;
  Status deleteFile(const std::string& path) override;
  bool directoryExists(const std::string& path) const override;
  Status createDirectory(const std::string& path) override;
};

}  // namespace quenmark::win32
