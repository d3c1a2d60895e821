#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace quenmark::testing {

// An in-memory registry with the rules of the real one that the program relies on: key
// paths and value names match without regard to (ASCII) case, a key must exist to be
// opened, creating a key creates its missing parents, a key with subkeys is not deleted,
// string values keep one terminating zero. Every call is recorded; any call can be told
// to fail with a chosen code.
class FakeRegistry : public Registry {
 public:
  struct Value {
    std::string name;  // as first stored
    std::uint32_t type = reg::kRegSz;
    std::string data;  // string types: UTF-8 text with its terminating zero
  };

  struct Call {
    std::string op;      // "createKeyEx", "openKey", "setValue", ...
    std::string target;  // the key, as "HKLM\path" (roots HKCR, HKCU, HKLM, HKU)
    std::string name;    // value name, where the call has one
    std::uint32_t access = 0;
    std::uint32_t type = 0;
    std::string data;  // setValue: the data as passed
    RegStatus result = 0;
  };

  // ---- set-up and inspection; none of these is recorded ----
  void addKey(RegKey root, const std::string& path);
  // Stores a value, creating the key. String data gets its terminating zero unless
  // `addZero` is false, as a program that stored a string without one leaves it.
  void putValue(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
                std::string data, bool addZero = true);
  void putString(RegKey root, const std::string& path, const std::string& name,
                 const std::string& text) {
    putValue(root, path, name, reg::kRegSz, text);
  }
  void putDword(RegKey root, const std::string& path, const std::string& name, std::uint32_t n) {
    putValue(root, path, name, reg::kRegDword, dword(n));
  }
  // A DWORD's data as the registry keeps it: four bytes, the lowest first.
  static std::string dword(std::uint32_t n) {
    return {static_cast<char>(n & 0xFF), static_cast<char>(n >> 8 & 0xFF),
            static_cast<char>(n >> 16 & 0xFF), static_cast<char>(n >> 24 & 0xFF)};
  }
  bool keyExists(RegKey root, const std::string& path) const;
  const Value* value(RegKey root, const std::string& path, const std::string& name) const;
  // The text of a string value without its terminating zero; nothing when absent.
  std::optional<std::string> text(RegKey root, const std::string& path,
                                  const std::string& name) const;

  // The next `times` calls of `op` fail with `code` and change nothing; -1 = always.
  void failNext(const std::string& op, RegStatus code, int times = 1);
  // Call number `n` (from 1, counted over every kind, as `calls` records them) fails with
  // `code` and changes nothing.
  void failCall(std::size_t n, RegStatus code);

  // Every value, as "key\name" (key in its display form) -> its type and data.
  std::map<std::string, std::pair<std::uint32_t, std::string>> values() const;

  // Handles opened and not yet closed, by the key each names.
  std::vector<std::string> openHandles() const;
  // Recorded calls of one kind.
  std::vector<Call> callsOf(const std::string& op) const;

  std::vector<Call> calls;

  // ---- Registry ----
  RegStatus createKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                        RegKey& key) override;
  RegStatus createKey(RegKey root, const std::string& path, RegKey& key) override;
  RegStatus openKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                      RegKey& key) override;
  RegStatus openKey(RegKey root, const std::string& path, RegKey& key) override;
  RegStatus queryValueInfo(RegKey key, const std::string& name, std::uint32_t& type,
                           std::uint32_t& size) override;
  RegStatus queryValue(RegKey key, const std::string& name, std::uint32_t size, std::uint32_t& type,
                       std::string& data) override;
  RegStatus setValue(RegKey key, const std::string& name, std::uint32_t type,
                     std::string_view data) override;
  RegStatus deleteValue(RegKey key, const std::string& name) override;
  RegStatus deleteKey(RegKey root, const std::string& path) override;
  RegStatus closeKey(RegKey key) override;

 private:
  struct Key {
    std::string path;  // display form, as first created
    std::vector<Value> values;
  };

  // The full path ("HKLM\a\b") of `sub` below `base`, or the error that prevents it.
  RegStatus resolve(RegKey base, const std::string& sub, std::string& full) const;
  RegStatus keyOf(RegKey handle, Key*& key);
  std::string describe(RegKey handle) const;
  Key& create(const std::string& full);
  RegKey newHandle(const std::string& full);
  bool takeFailure(const std::string& op, RegStatus& code);
  RegStatus record(Call call);

  std::map<std::string, Key> keys_;        // by folded full path
  std::map<RegKey, std::string> handles_;  // open handle -> folded full path
  RegKey nextHandle_ = 0x1000;
  std::map<std::string, std::pair<RegStatus, int>> failures_;
  std::size_t failCall_ = 0;
  RegStatus failCallCode_ = 0;
};

}  // namespace quenmark::testing
