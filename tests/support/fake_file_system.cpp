#include "support/fake_file_system.h"

#include "base/text.h"
#include "platform/text_codec.h"

namespace quenmark::testing {
namespace {

std::string folderOf(const std::string& path) {
  auto p = path.find_last_of('\\');
  return p == std::string::npos ? std::string() : path.substr(0, p);
}

// Characters with their letter case folded, so that "?" stands for one character.
std::u32string foldedCharacters(const std::string& text) {
  const std::string folded = foldCase(text);
  std::u32string out;
  for (std::size_t i = 0; i < folded.size();) out.push_back(nextCodePoint(folded, i));
  return out;
}

const SysError kNotFound{2, "The system cannot find the file specified."};
const SysError kPathNotFound{3, "The system cannot find the path specified."};
const SysError kAccessDenied{5, "Access is denied."};

}  // namespace

bool wildcardMatch(const std::string& patternText, const std::string& nameText) {
  const std::u32string pattern = foldedCharacters(patternText);
  const std::u32string name = foldedCharacters(nameText);
  std::size_t p = 0, n = 0, star = std::u32string::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      star = p++;
      mark = n;
    } else if (star != std::u32string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

std::string FakeFileSystem::key(const std::string& path) {
  std::string k = foldCase(path);
  while (k.size() > 3 && k.back() == '\\') k.pop_back();
  return k;
}

void FakeFileSystem::addFile(const std::string& path, std::string bytes, std::uint32_t attributes) {
  auto [it, added] = index_.try_emplace(key(path), entries_.size());
  if (!added) {
    entries_[it->second].bytes = std::move(bytes);
    entries_[it->second].attributes = attributes;
    return;
  }
  entries_.push_back({path, std::move(bytes), attributes});
}

void FakeFileSystem::addDirectory(const std::string& path, std::uint32_t attributes) {
  addFile(path, {}, attributes | attr::kDirectory);
}

const FakeFileSystem::Entry* FakeFileSystem::entry(const std::string& path) const {
  auto it = index_.find(key(path));
  return it == index_.end() ? nullptr : &entries_[it->second];
}

bool FakeFileSystem::exists(const std::string& path) const {
  const Entry* e = entry(path);
  return e != nullptr && !(e->attributes & attr::kDirectory);
}

std::string FakeFileSystem::contents(const std::string& path) const {
  const Entry* e = entry(path);
  return e ? e->bytes : std::string();
}

void FakeFileSystem::failNext(const std::string& op, SysError error, int times) {
  failures_[op] = {std::move(error), times};
}

void FakeFileSystem::failCall(std::size_t n, SysError error) {
  failCall_ = n;
  failCallError_ = std::move(error);
}

std::map<std::string, std::string> FakeFileSystem::files() const {
  std::map<std::string, std::string> out;
  for (const auto& e : entries_) {
    if (!(e.attributes & attr::kDirectory)) out[e.path] = e.bytes;
  }
  return out;
}

// Called by each operation right after it recorded itself in `calls`.
Status FakeFileSystem::takeFailure(const std::string& op) const {
  if (failCall_ != 0 && calls.size() == failCall_) return failCallError_;
  auto it = failures_.find(op);
  if (it == failures_.end() || it->second.second == 0) return std::nullopt;
  if (it->second.second > 0) --it->second.second;
  return it->second.first;
}

std::vector<std::string> FakeFileSystem::find(const std::string& pattern, std::uint32_t mask) const {
  calls.push_back("find " + pattern);
  if (takeFailure("find")) return {};
  const std::string folder = key(folderOf(pattern));
  const std::string namePattern = TrimPath(pattern);
  std::vector<std::string> names;
  for (const auto& e : entries_) {
    if (key(folderOf(e.path)) != folder) continue;
    if (!wildcardMatch(namePattern, TrimPath(e.path))) continue;
    if ((e.attributes & attr::kHidden) && !(mask & attr::kHidden)) continue;
    if ((e.attributes & attr::kSystem) && !(mask & attr::kSystem)) continue;
    if ((e.attributes & attr::kDirectory) && !(mask & attr::kDirectory)) continue;
    names.push_back(TrimPath(e.path));
  }
  return names;
}

Result<std::string> FakeFileSystem::readFile(const std::string& path) const {
  calls.push_back("readFile " + path);
  if (auto f = takeFailure("readFile")) return *f;
  const Entry* e = entry(path);
  if (!e || (e->attributes & attr::kDirectory)) return kNotFound;
  return e->bytes;
}

Result<std::string> FakeFileSystem::readFilePart(const std::string& path, std::uint64_t offset,
                                                 std::size_t size) const {
  calls.push_back("readFilePart " + path);
  if (auto f = takeFailure("readFilePart")) return *f;
  const Entry* e = entry(path);
  if (!e || (e->attributes & attr::kDirectory)) return kNotFound;
  if (offset >= e->bytes.size()) return std::string();
  return e->bytes.substr(static_cast<std::size_t>(offset), size);
}

Status FakeFileSystem::replaceFile(const std::string& path, std::string_view bytes) {
  calls.push_back("replaceFile " + path);
  if (auto f = takeFailure("replaceFile")) return f;
  if (!isDirectory(folderOf(path))) return kPathNotFound;
  const Entry* e = entry(path);
  if (e && (e->attributes & (attr::kReadOnly | attr::kDirectory))) return kAccessDenied;
  addFile(path, std::string(bytes), e ? e->attributes : attr::kArchive);
  return std::nullopt;
}

Status FakeFileSystem::deleteFile(const std::string& path) {
  calls.push_back("deleteFile " + path);
  if (auto f = takeFailure("deleteFile")) return f;
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (key(it->path) == key(path) && !(it->attributes & attr::kDirectory)) {
      if (it->attributes & attr::kReadOnly) return kAccessDenied;
      entries_.erase(it);
      index_.clear();
      for (std::size_t i = 0; i < entries_.size(); ++i) index_[key(entries_[i].path)] = i;
      return std::nullopt;
    }
  }
  return kNotFound;
}

bool FakeFileSystem::directoryExists(const std::string& path) const {
  calls.push_back("directoryExists " + path);
  if (takeFailure("directoryExists")) return false;
  return isDirectory(path);
}

bool FakeFileSystem::isDirectory(const std::string& path) const {
  if (path.empty()) return true;
  if (path.size() == 2 && path[1] == ':') return true;  // a drive root
  const Entry* e = entry(path);
  return e != nullptr && (e->attributes & attr::kDirectory);
}

Status FakeFileSystem::createDirectory(const std::string& path) {
  calls.push_back("createDirectory " + path);
  if (auto f = takeFailure("createDirectory")) return f;
  if (isDirectory(path))
    return SysError{183, "Cannot create a file when that file already exists."};
  if (!isDirectory(folderOf(path))) return kPathNotFound;
  addDirectory(path);
  return std::nullopt;
}

}  // namespace quenmark::testing
