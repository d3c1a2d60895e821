#include "base/file_exists.h"

#include <vector>

namespace quenmark {

bool FileExists(const FileSystem& fs, const std::string& path) {
  const std::string name = TrimPath(path);
  if (name.empty()) return false;
  // Normal, read-only, hidden and system files; folders do not match this mask.
  std::vector<std::string> found = fs.find(path, attr::kReadOnly | attr::kHidden | attr::kSystem);
  // The search matches patterns and short names too; only the file's own name counts.
  return !found.empty() && equalsNoCase(found.front(), name);
}

}  // namespace quenmark
