#pragma once

#include "platform/registry.h"

namespace quenmark::win32 {

// The real registry through the W functions. Tests derive from it to refuse chosen calls.
class Win32Registry : public Registry {
 public:
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
};

}  // namespace quenmark::win32
