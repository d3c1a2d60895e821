#include "platform/win32/registry_win32.h"

#include <vector>

#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

// The predefined roots are 32-bit numbers that Windows sign-extends into a handle.
HKEY toHkey(RegKey key) {
  if (key >= 0x80000000u && key <= 0x80000006u) {
    auto n = static_cast<LONG>(static_cast<std::uint32_t>(key));
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(n));
  }
  return reinterpret_cast<HKEY>(key);
}

RegKey fromHkey(HKEY key) { return reinterpret_cast<RegKey>(key); }

}  // namespace

RegStatus Win32Registry::createKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                                     RegKey& key) {
  HKEY h = nullptr;
  LSTATUS r = RegCreateKeyExW(toHkey(root), widen(path).c_str(), 0, nullptr, 0, access, nullptr, &h,
                              nullptr);
  if (r == ERROR_SUCCESS) key = fromHkey(h);
  return r;
}

RegStatus Win32Registry::createKey(RegKey root, const std::string& path, RegKey& key) {
  HKEY h = nullptr;
  LSTATUS r = RegCreateKeyW(toHkey(root), widen(path).c_str(), &h);
  if (r == ERROR_SUCCESS) key = fromHkey(h);
  return r;
}

RegStatus Win32Registry::openKeyEx(RegKey root, const std::string& path, std::uint32_t access,
                                   RegKey& key) {
  HKEY h = nullptr;
  LSTATUS r = RegOpenKeyExW(toHkey(root), widen(path).c_str(), 0, access, &h);
  if (r == ERROR_SUCCESS) key = fromHkey(h);
  return r;
}

RegStatus Win32Registry::openKey(RegKey root, const std::string& path, RegKey& key) {
  HKEY h = nullptr;
  LSTATUS r = RegOpenKeyW(toHkey(root), widen(path).c_str(), &h);
  if (r == ERROR_SUCCESS) key = fromHkey(h);
  return r;
}

RegStatus Win32Registry::queryValueInfo(RegKey key, const std::string& name, std::uint32_t& type,
                                        std::uint32_t& size) {
  DWORD t = 0, cb = 0;
  LSTATUS r = RegQueryValueExW(toHkey(key), widen(name).c_str(), nullptr, &t, nullptr, &cb);
  if (r == ERROR_SUCCESS) {
    type = t;
    size = cb;
  }
  return r;
}

RegStatus Win32Registry::queryValue(RegKey key, const std::string& name, std::uint32_t size,
                                    std::uint32_t& type, std::string& data) {
  // Whole WCHARs, so that string data can be read in place.
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
  DWORD t = 0, cb = size;
  LSTATUS r = RegQueryValueExW(toHkey(key), widen(name).c_str(), nullptr, &t,
                               reinterpret_cast<BYTE*>(buffer.data()), &cb);
  if (r != ERROR_SUCCESS) return r;
  type = t;
  if (reg::isStringType(t)) {
    data = narrow(std::wstring_view(buffer.data(), cb / sizeof(wchar_t)));
  } else {
    data.assign(reinterpret_cast<const char*>(buffer.data()), cb);
  }
  return r;
}

RegStatus Win32Registry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                                  std::string_view data) {
  if (reg::isStringType(type)) {
    std::wstring text = widen(data);
    if (text.empty() || text.back() != L'\0') text.push_back(L'\0');
    return RegSetValueExW(toHkey(key), widen(name).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size() * sizeof(wchar_t)));
  }
  return RegSetValueExW(toHkey(key), widen(name).c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size()));
}

RegStatus Win32Registry::deleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueW(toHkey(key), widen(name).c_str());
}

RegStatus Win32Registry::deleteKey(RegKey root, const std::string& path) {
  return RegDeleteKeyW(toHkey(root), widen(path).c_str());
}

RegStatus Win32Registry::closeKey(RegKey key) { return RegCloseKey(toHkey(key)); }

}  // namespace quenmark::win32
