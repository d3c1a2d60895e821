// grant-users FOLDER KEY: run by the installer, elevated. The program keeps its schedules
// (FOLDER\data), its translations (FOLDER\Localization.xml) and its machine settings
// (HKEY_LOCAL_MACHINE\KEY) where only administrators may write; this gives the Users group
// modify rights on exactly those, so that a standard account (or an administrator without
// elevation) uses an installed copy without the permission warning. The folder itself and
// the program file stay read-only for Users: write access there would let any account plant
// a DLL or a program that the next administrator starts.
//
// The key is created when missing. Exit code 0 when all three were granted, else the first
// Windows error code (each failure is printed).

// <windows.h> first: the others build on its types.
#include <windows.h>

#include <aclapi.h>

#include <cstdio>
#include <string>

namespace {

// Adds one allow entry for BUILTIN\Users to the object's DACL; entries already there stay.
DWORD grantUsers(const std::wstring& object, SE_OBJECT_TYPE type, DWORD rights,
                 DWORD inheritance) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID users = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0,
                                0, 0, 0, 0, 0, &users)) {
    return GetLastError();
  }
  std::wstring name = object;  // the calls below take a writable string
  PACL old = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  DWORD r = GetNamedSecurityInfoW(name.data(), type, DACL_SECURITY_INFORMATION, nullptr,
                                  nullptr, &old, nullptr, &descriptor);
  PACL acl = nullptr;
  if (r == ERROR_SUCCESS) {
    EXPLICIT_ACCESSW entry = {};
    entry.grfAccessPermissions = rights;
    entry.grfAccessMode = GRANT_ACCESS;
    entry.grfInheritance = inheritance;
    entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    entry.Trustee.ptstrName = static_cast<LPWSTR>(users);
    r = SetEntriesInAclW(1, &entry, old, &acl);
  }
  if (r == ERROR_SUCCESS) {
    r = SetNamedSecurityInfoW(name.data(), type, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl,
                              nullptr);
  }
  if (acl) LocalFree(acl);
  if (descriptor) LocalFree(descriptor);
  FreeSid(users);
  return r;
}

DWORD createKey(const std::wstring& path) {
  HKEY key = nullptr;
  DWORD r = static_cast<DWORD>(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                               KEY_READ, nullptr, &key, nullptr));
  if (r == ERROR_SUCCESS) RegCloseKey(key);
  return r;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fwprintf(stderr, L"usage: grant-users FOLDER KEY\n");
    return ERROR_BAD_ARGUMENTS;
  }
  const std::wstring folder = argv[1];
  const std::wstring key = argv[2];
  // "Modify": read, write, run, delete; no right to change the permissions or the owner.
  const DWORD modify = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
  DWORD first = ERROR_SUCCESS;
  auto step = [&first](const std::wstring& what, DWORD r) {
    if (r == ERROR_SUCCESS) return;
    std::fwprintf(stderr, L"grant-users: %ls: error %lu\n", what.c_str(), r);
    if (first == ERROR_SUCCESS) first = r;
  };
  // The schedules are replaced through temporary files beside them: the folder and all it
  // will hold.
  step(folder + L"\\data",
       grantUsers(folder + L"\\data", SE_FILE_OBJECT, modify, SUB_CONTAINERS_AND_OBJECTS_INHERIT));
  step(folder + L"\\Localization.xml",
       grantUsers(folder + L"\\Localization.xml", SE_FILE_OBJECT, modify, NO_INHERITANCE));
  DWORD r = createKey(key);
  if (r == ERROR_SUCCESS) {
    r = grantUsers(L"MACHINE\\" + key, SE_REGISTRY_KEY, KEY_READ | KEY_WRITE | DELETE,
                   SUB_CONTAINERS_AND_OBJECTS_INHERIT);
  }
  step(L"HKEY_LOCAL_MACHINE\\" + key, r);
  return static_cast<int>(first);
}
