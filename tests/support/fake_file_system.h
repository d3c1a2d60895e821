#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quenmark::testing {

// An in-memory file system with Windows' rules: paths compare without regard to case,
// search order is creation order. Any operation can be told to fail once or always.
class FakeFileSystem : public FileSystem {
 public:
  struct Entry {
    std::string path;  // as created
    std::string bytes;
    std::uint32_t attributes = attr::kArchive;
  };

  void addFile(const std::string& path, std::string bytes,
               std::uint32_t attributes = attr::kArchive);
  void addDirectory(const std::string& path, std::uint32_t attributes = attr::kDirectory);
  bool exists(const std::string& path) const;
  const Entry* entry(const std::string& path) const;
  std::string contents(const std::string& path) const;  // "" when absent

  // Fault injection: the next `times` calls of operation `op` ("find", "readFile",
  // "readFilePart", "replaceFile", "deleteFile", "directoryExists", "createDirectory") fail
  // with `error`; -1 = always.
  void failNext(const std::string& op, SysError error, int times = 1);
  // Fault injection by position: call number `n` (from 1, counted over every operation of the
  // interface, directoryExists included) fails with `error`, whatever its kind. A failed
  // directoryExists answers false, as a failed GetFileAttributes does.
  void failCall(std::size_t n, SysError error);

  // Every call made, as "op path" lines, for order checks; its size counts them.
  mutable std::vector<std::string> calls;

  // Every file (not folder), by its path as created, with its bytes.
  std::map<std::string, std::string> files() const;

  std::vector<std::string> find(const std::string& pattern, std::uint32_t mask) const override;
  Result<std::string> readFile(const std::string& path) const override;
  Result<std::string> readFilePart(const std::string& path, std::uint64_t offset,
                                   std::size_t size) const override;
  Status replaceFile(const std::string& path, std::string_view bytes) override;
  Status deleteFile(const std::string& path) override;
  bool directoryExists(const std::string& path) const override;
  Status createDirectory(const std::string& path) override;

 private:
  Status takeFailure(const std::string& op) const;
  bool isDirectory(const std::string& path) const;
  static std::string key(const std::string& path);

  std::vector<Entry> entries_;                // creation order
  std::map<std::string, std::size_t> index_;  // key(path) -> position in entries_
  mutable std::map<std::string, std::pair<SysError, int>> failures_;
  std::size_t failCall_ = 0;
  SysError failCallError_;
};

// Windows wildcard match (* and ?), letter case ignored.
bool wildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace quenmark::testing
