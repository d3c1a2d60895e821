#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quenmark {

// A registry key handle as Windows hands it out: a predefined root or an opened key.
using RegKey = std::uintptr_t;
// What the registry functions return: 0 or a Windows error code.
using RegStatus = std::int32_t;

namespace reg {
// Predefined roots, by their documented numbers.
inline constexpr RegKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002;

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Access masks.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;
inline constexpr std::uint32_t kKeyReadWriteLink =
    0x2003F;  // KEY_READ | KEY_WRITE | KEY_CREATE_LINK

// Error codes the callers look at.
inline constexpr RegStatus kErrorSuccess = 0;
inline constexpr RegStatus kErrorFileNotFound = 2;
inline constexpr RegStatus kErrorAccessDenied = 5;
inline constexpr RegStatus kErrorInvalidHandle = 6;
inline constexpr RegStatus kErrorInvalidParameter = 87;
inline constexpr RegStatus kErrorMoreData = 234;
inline constexpr RegStatus kErrorKeyDeleted = 1018;

inline bool isStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}
}  // namespace reg

// The registry, one method per Windows call the settings store makes. Key paths and value
// names are UTF-8 and match without regard to case. Data of the string types is UTF-8 text;
// other types are bytes as stored.
class Registry {
 public:
  virtual ~Registry() = default;

  // RegCreateKeyEx (reserved 0, no class, options 0, no security attributes): opens the
  // key, creating it and its missing parents, with the given access.
  virtual RegStatus createKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                                RegKey& key) = 0;
  // RegCreateKey: the same with the widest access the caller may have.
  virtual RegStatus createKey(RegKey root, const std::string& path, RegKey& key) = 0;
  // RegOpenKeyEx: opens an existing key with the given access.
  virtual RegStatus openKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                              RegKey& key) = 0;
  // RegOpenKey: opens an existing key with the widest access the caller may have.
  virtual RegStatus openKey(RegKey root, const std::string& path, RegKey& key) = 0;

  // RegQueryValueEx without a buffer: the value's type and the size in bytes of its data
  // as the registry holds it (string types in UTF-16, terminating zero included when stored).
  virtual RegStatus queryValueInfo(RegKey key, const std::string& name, std::uint32_t& type,
                                   std::uint32_t& size) = 0;
  // RegQueryValueEx with a buffer of `size` bytes: the type and the data; string data as
  // text, with its terminating zero where one is stored. kErrorMoreData when `size` is too
  // small for the data.
  virtual RegStatus queryValue(RegKey key, const std::string& name, std::uint32_t size,
                               std::uint32_t& type, std::string& data) = 0;
  // RegSetValueEx: stores `data` as the value. For the string types the registry keeps the
  // text with one terminating zero whether or not `data` ends in one.
  virtual RegStatus setValue(RegKey key, const std::string& name, std::uint32_t type,
                             std::string_view data) = 0;
  // RegDeleteValue.
  virtual RegStatus deleteValue(RegKey key, const std::string& name) = 0;
  // RegDeleteKey: a key that still has subkeys is not deleted.
  virtual RegStatus deleteKey(RegKey root, const std::string& path) = 0;
  // RegCloseKey.
  virtual RegStatus closeKey(RegKey key) = 0;
};

}  // namespace quenmark
