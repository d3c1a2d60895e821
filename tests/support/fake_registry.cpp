#include "support/fake_registry.h"

#include <algorithm>

#include "base/text.h"
#include "platform/text_codec.h"

namespace quenmark::testing {
namespace {

std::string rootName(RegKey root) {
  switch (root) {
    case 0x80000000u:
      return "HKCR";
    case reg::kHkeyCurrentUser:
      return "HKCU";
    case reg::kHkeyLocalMachine:
      return "HKLM";
    case 0x80000003u:
      return "HKU";
    default:
      return "ROOT" + std::to_string(root);
  }
}

FakeRegistry::Call makeCall(std::string op, std::string target, std::string name = "",
                            std::uint32_t access = 0, std::uint32_t type = 0,
                            std::string data = "") {
  FakeRegistry::Call c;
  c.op = std::move(op);
  c.target = std::move(target);
  c.name = std::move(name);
  c.access = access;
  c.type = type;
  c.data = std::move(data);
  return c;
}

bool isPredefined(RegKey key) { return key >= 0x80000000u && key <= 0x80000006u; }

// What the data occupies in the real registry, which keeps strings in UTF-16.
std::uint32_t storedSize(const FakeRegistry::Value& v) {
  if (!reg::isStringType(v.type)) return static_cast<std::uint32_t>(v.data.size());
  std::uint32_t units = 0;
  for (std::size_t i = 0; i < v.data.size();) units += nextCodePoint(v.data, i) > 0xFFFF ? 2 : 1;
  return units * 2;
}

std::string withZero(std::uint32_t type, std::string data) {
  if (reg::isStringType(type) && (data.empty() || data.back() != '\0')) data.push_back('\0');
  return data;
}

std::string parentOf(const std::string& full) {
  auto p = full.find_last_of('\\');
  return p == std::string::npos ? std::string() : full.substr(0, p);
}

}  // namespace

RegStatus FakeRegistry::resolve(RegKey base, const std::string& sub, std::string& full) const {
  if (isPredefined(base)) {
    full = rootName(base);
  } else {
    auto h = handles_.find(base);
    if (h == handles_.end()) return reg::kErrorInvalidHandle;
    auto k = keys_.find(h->second);
    if (k == keys_.end()) return reg::kErrorKeyDeleted;
    full = k->second.path;
  }
  if (!sub.empty() && sub.front() == '\\') return 161;  // ERROR_BAD_PATHNAME
  // Empty components between separators are skipped, as Wine does.
  std::size_t start = 0;
  while (start <= sub.size()) {
    std::size_t end = sub.find('\\', start);
    if (end == std::string::npos) end = sub.size();
    if (end > start) full += "\\" + sub.substr(start, end - start);
    start = end + 1;
  }
  return reg::kErrorSuccess;
}

RegStatus FakeRegistry::keyOf(RegKey handle, Key*& key) {
  std::string full;
  if (RegStatus r = resolve(handle, "", full)) return r;
  key = &create(full);  // roots and open keys exist (resolve checked the latter)
  return reg::kErrorSuccess;
}

std::string FakeRegistry::describe(RegKey handle) const {
  std::string full;
  return resolve(handle, "", full) == reg::kErrorSuccess ? full : "?" + std::to_string(handle);
}

FakeRegistry::Key& FakeRegistry::create(const std::string& full) {
  auto it = keys_.find(foldCase(full));
  if (it != keys_.end()) return it->second;
  std::string parent = parentOf(full);
  if (!parent.empty()) create(parent);
  Key& k = keys_[foldCase(full)];
  k.path = full;
  return k;
}

RegKey FakeRegistry::newHandle(const std::string& full) {
  RegKey h = nextHandle_;
  nextHandle_ += 4;
  handles_[h] = foldCase(full);
  return h;
}

// Asked by each call before it is recorded, so that it is call number calls.size() + 1.
bool FakeRegistry::takeFailure(const std::string& op, RegStatus& code) {
  if (failCall_ != 0 && calls.size() + 1 == failCall_) {
    code = failCallCode_;
    return true;
  }
  auto it = failures_.find(op);
  if (it == failures_.end() || it->second.second == 0) return false;
  if (it->second.second > 0) --it->second.second;
  code = it->second.first;
  return true;
}

RegStatus FakeRegistry::record(Call call) {
  RegStatus r = call.result;
  calls.push_back(std::move(call));
  return r;
}

void FakeRegistry::failNext(const std::string& op, RegStatus code, int times) {
  failures_[op] = {code, times};
}

void FakeRegistry::failCall(std::size_t n, RegStatus code) {
  failCall_ = n;
  failCallCode_ = code;
}

// ---- set-up and inspection ----

std::map<std::string, std::pair<std::uint32_t, std::string>> FakeRegistry::values() const {
  std::map<std::string, std::pair<std::uint32_t, std::string>> out;
  for (const auto& [folded, k] : keys_) {
    for (const auto& v : k.values) out[k.path + "\\" + v.name] = {v.type, v.data};
  }
  return out;
}

void FakeRegistry::addKey(RegKey root, const std::string& path) {
  std::string full;
  if (resolve(root, path, full) == reg::kErrorSuccess) create(full);
}

void FakeRegistry::putValue(RegKey root, const std::string& path, const std::string& name,
                            std::uint32_t type, std::string data, bool addZero) {
  std::string full;
  if (resolve(root, path, full) != reg::kErrorSuccess) return;
  Key& k = create(full);
  if (addZero) data = withZero(type, std::move(data));
  for (auto& v : k.values) {
    if (equalsNoCase(v.name, name)) {
      v.type = type;
      v.data = std::move(data);
      return;
    }
  }
  k.values.push_back({name, type, std::move(data)});
}

bool FakeRegistry::keyExists(RegKey root, const std::string& path) const {
  std::string full;
  return resolve(root, path, full) == reg::kErrorSuccess && keys_.count(foldCase(full)) > 0;
}

const FakeRegistry::Value* FakeRegistry::value(RegKey root, const std::string& path,
                                               const std::string& name) const {
  std::string full;
  if (resolve(root, path, full) != reg::kErrorSuccess) return nullptr;
  auto k = keys_.find(foldCase(full));
  if (k == keys_.end()) return nullptr;
  for (const auto& v : k->second.values) {
    if (equalsNoCase(v.name, name)) return &v;
  }
  return nullptr;
}

std::optional<std::string> FakeRegistry::text(RegKey root, const std::string& path,
                                              const std::string& name) const {
  const Value* v = value(root, path, name);
  if (!v || !reg::isStringType(v->type)) return std::nullopt;
  std::string t = v->data;
  if (!t.empty() && t.back() == '\0') t.pop_back();
  return t;
}

std::vector<std::string> FakeRegistry::openHandles() const {
  std::vector<std::string> out;
  for (const auto& [h, full] : handles_) {
    auto k = keys_.find(full);
    out.push_back(k != keys_.end() ? k->second.path : full);
  }
  return out;
}

std::vector<FakeRegistry::Call> FakeRegistry::callsOf(const std::string& op) const {
  std::vector<Call> out;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
               [&](const Call& c) { return c.op == op; });
  return out;
}

// ---- Registry ----

RegStatus FakeRegistry::createKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                                    RegKey& key) {
  Call c = makeCall("createKeyEx", describe(root) + "\\" + path, "", access);
  std::string full;
  if (takeFailure(c.op, c.result) || (c.result = resolve(root, path, full))) return record(c);
  create(full);
  key = newHandle(full);
  return record(c);
}

RegStatus FakeRegistry::createKey(RegKey root, const std::string& path, RegKey& key) {
  Call c = makeCall("createKey", describe(root) + "\\" + path);
  std::string full;
  if (takeFailure(c.op, c.result) || (c.result = resolve(root, path, full))) return record(c);
  create(full);
  key = newHandle(full);
  return record(c);
}

RegStatus FakeRegistry::openKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                                  RegKey& key) {
  Call c = makeCall("openKeyEx", describe(root) + "\\" + path, "", access);
  std::string full;
  if (takeFailure(c.op, c.result) || (c.result = resolve(root, path, full))) return record(c);
  if (!keys_.count(foldCase(full)) && full.find('\\') != std::string::npos) {
    c.result = reg::kErrorFileNotFound;
    return record(c);
  }
  key = newHandle(full);
  return record(c);
}

RegStatus FakeRegistry::openKey(RegKey root, const std::string& path, RegKey& key) {
  Call c = makeCall("openKey", describe(root) + "\\" + path);
  std::string full;
  if (takeFailure(c.op, c.result) || (c.result = resolve(root, path, full))) return record(c);
  if (path.empty()) {
    // RegOpenKey hands back the same handle for an empty path.
    key = root;
    return record(c);
  }
  if (!keys_.count(foldCase(full))) {
    c.result = reg::kErrorFileNotFound;
    return record(c);
  }
  key = newHandle(full);
  return record(c);
}

RegStatus FakeRegistry::queryValueInfo(RegKey key, const std::string& name, std::uint32_t& type,
                                       std::uint32_t& size) {
  Call c = makeCall("queryValueInfo", describe(key), name);
  Key* k = nullptr;
  if (takeFailure(c.op, c.result) || (c.result = keyOf(key, k))) return record(c);
  for (const auto& v : k->values) {
    if (equalsNoCase(v.name, name)) {
      type = v.type;
      size = storedSize(v);
      return record(c);
    }
  }
  c.result = reg::kErrorFileNotFound;
  return record(c);
}

RegStatus FakeRegistry::queryValue(RegKey key, const std::string& name, std::uint32_t size,
                                   std::uint32_t& type, std::string& data) {
  Call c = makeCall("queryValue", describe(key), name);
  Key* k = nullptr;
  if (takeFailure(c.op, c.result) || (c.result = keyOf(key, k))) return record(c);
  for (const auto& v : k->values) {
    if (equalsNoCase(v.name, name)) {
      type = v.type;
      if (size < storedSize(v)) {
        c.result = reg::kErrorMoreData;
      } else {
        data = v.data;
      }
      return record(c);
    }
  }
  c.result = reg::kErrorFileNotFound;
  return record(c);
}

RegStatus FakeRegistry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                                 std::string_view data) {
  Call c = makeCall("setValue", describe(key), name, 0, type, std::string(data));
  Key* k = nullptr;
  if (takeFailure(c.op, c.result) || (c.result = keyOf(key, k))) return record(c);
  std::string stored = withZero(type, std::string(data));
  auto it = std::find_if(k->values.begin(), k->values.end(),
                         [&](const Value& v) { return equalsNoCase(v.name, name); });
  if (it != k->values.end()) {
    it->type = type;
    it->data = std::move(stored);
  } else {
    k->values.push_back({name, type, std::move(stored)});
  }
  return record(c);
}

RegStatus FakeRegistry::deleteValue(RegKey key, const std::string& name) {
  Call c = makeCall("deleteValue", describe(key), name);
  Key* k = nullptr;
  if (takeFailure(c.op, c.result) || (c.result = keyOf(key, k))) return record(c);
  auto it = std::find_if(k->values.begin(), k->values.end(),
                         [&](const Value& v) { return equalsNoCase(v.name, name); });
  if (it == k->values.end()) {
    c.result = reg::kErrorFileNotFound;
  } else {
    k->values.erase(it);
  }
  return record(c);
}

RegStatus FakeRegistry::deleteKey(RegKey root, const std::string& path) {
  Call c = makeCall("deleteKey", describe(root) + "\\" + path);
  std::string full;
  if (takeFailure(c.op, c.result) || (c.result = resolve(root, path, full))) return record(c);
  const std::string folded = foldCase(full);
  if (full.find('\\') == std::string::npos) {
    c.result = reg::kErrorAccessDenied;  // a root cannot be deleted
  } else if (!keys_.count(folded)) {
    c.result = reg::kErrorFileNotFound;
  } else {
    auto next = keys_.lower_bound(folded + "\\");
    if (next != keys_.end() && next->first.rfind(folded + "\\", 0) == 0) {
      c.result = reg::kErrorAccessDenied;  // it still has subkeys
    } else {
      keys_.erase(folded);
    }
  }
  return record(c);
}

RegStatus FakeRegistry::closeKey(RegKey key) {
  Call c = makeCall("closeKey", describe(key));
  if (takeFailure(c.op, c.result)) return record(c);
  if (isPredefined(key)) return record(c);
  if (handles_.erase(key) == 0) c.result = reg::kErrorInvalidHandle;
  return record(c);
}

}  // namespace quenmark::testing
