// install_check: looks at what the installer left in the Wine prefix, from inside it.
//
//   install_check installed FOLDER   files, shortcut, uninstall entry, Run value, the event
//                                    source, the Users group's rights (read back from the
//                                    DACLs), and a save into the settings key
//   install_check save FOLDER        an option in both hives and a schedule, for the
//                                    uninstaller to find
//   install_check wait               until the uninstaller's copy of itself has ended
//   install_check removed FOLDER keep|none
//                                    nothing left but the schedules (keep) or nothing (none)
//
// The program's names are spelled out here on purpose: the test checks the installer against
// what the program reads, not against the installer's own definitions.
//
// Exit code 0 when every check held, 1 when one failed (each failure is printed).

// <windows.h> first: the others build on its types.
#include <windows.h>

#include <aclapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\Tarvossa\\Quenmark";
const wchar_t kRunChoiceKey[] = L"SOFTWARE\\Tarvossa\\Quenmark-1";
const wchar_t kUserKey[] = L"Software\\Tarvossa\\Quenmark";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunEntry[] = L"Quenmark-1";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quenmark";
const wchar_t kEventSourceKey[] =
    L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Quenmark";
const wchar_t* const kProgramFiles[] = {L"Quenmark.exe",
                                        L"Localization.xml",
                                        L"Help.chm",
                                        L"readme.txt",
                                        L"LICENSE.txt",
                                        L"uninstall.exe",
                                        L"PolicyDefinitions\\Quenmark.admx",
                                        L"PolicyDefinitions\\en-US\\Quenmark.adml"};
const wchar_t kUserSchedule[] = L"Kept by the user.sch";

int failures = 0;

void check(bool ok, const std::wstring& what) {
  if (ok) return;
  ++failures;
  std::fwprintf(stderr, L"FAILED: %ls\n", what.c_str());
}

bool exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring shortcut() {
  wchar_t programs[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
  return std::wstring(programs) + L"\\Quenmark.lnk";
}

bool keyExists(HKEY hive, const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The REG_SZ value, or "<missing>".
std::wstring stringValue(HKEY hive, const wchar_t* path, const wchar_t* name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueW(hive, path, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return buffer;
}

// The REG_EXPAND_SZ value as stored (unexpanded), or "<missing>".
std::wstring expandStringValue(HKEY hive, const wchar_t* path, const wchar_t* name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueW(hive, path, name, RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, buffer,
                   &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return buffer;
}

DWORD dwordValue(HKEY hive, const wchar_t* path, const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(hive, path, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
    return 0xFFFFFFFF;
  }
  return value;
}

std::wstring productVersion(const std::wstring& exe) {
  DWORD ignored = 0;
  std::vector<BYTE> data(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  void* value = nullptr;
  UINT length = 0;
  if (data.empty() || !GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(data.size()),
                                           data.data()) ||
      !VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductVersion", &value,
                      &length)) {
    return L"<none>";
  }
  return static_cast<const wchar_t*>(value);
}

// The allow entries for BUILTIN\Users in the object's DACL; nothing when it cannot be read.
struct Entry {
  ACCESS_MASK mask;
  BYTE flags;
};

std::optional<std::vector<Entry>> usersEntries(const std::wstring& object, SE_OBJECT_TYPE type) {
  std::wstring name = object;
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(name.data(), type, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl,
                            nullptr, &descriptor) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID users = nullptr;
  AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0,
                           0, 0, 0, &users);
  std::vector<Entry> entries;
  for (DWORD i = 0; acl && i < acl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(acl, i, &ace)) continue;
    auto* header = static_cast<ACE_HEADER*>(ace);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    if (EqualSid(&allowed->SidStart, users)) entries.push_back({allowed->Mask, header->AceFlags});
  }
  FreeSid(users);
  LocalFree(descriptor);
  return entries;
}

std::wstring hex(DWORD v) {
  wchar_t b[16];
  swprintf(b, 16, L"0x%08lx", v);
  return b;
}

const ACCESS_MASK kFileWrite = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_ATTRIBUTES | DELETE;

// One entry that applies to the object itself, grants at least `want` and passes itself on
// as `flags` say.
void checkGrant(const std::wstring& what, const std::wstring& object, SE_OBJECT_TYPE type,
                ACCESS_MASK want, BYTE flags) {
  const auto entries = usersEntries(object, type);
  if (!entries) return check(false, L"cannot read the DACL of " + what);
  std::wstring seen;
  for (const Entry& e : *entries) {
    if ((e.mask & want) == want && (e.flags & flags) == flags && !(e.flags & INHERIT_ONLY_ACE)) {
      return;
    }
    seen += L" " + hex(e.mask) + L"/" + hex(e.flags);
  }
  check(false, what + L": no entry grants Users " + hex(want) + L" with flags " + hex(flags) +
                   L"; Users entries (rights/flags):" + (seen.empty() ? L" none" : seen));
}

// Under Wine, files keep no DACL of their own: it maps the Users entry to the group's
// permission bits of the Unix file, which install_test.sh checks instead.
bool underWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// An option saved as the program saves one, into the machine section or the user's area.
void saveOption(HKEY hive, const wchar_t* path) {
  HKEY key = nullptr;
  LONG r = RegCreateKeyExW(hive, (std::wstring(path) + L"\\Settings").c_str(), 0, nullptr, 0,
                           KEY_SET_VALUE, nullptr, &key, nullptr);
  if (r == ERROR_SUCCESS) {
    const wchar_t one[] = L"1";
    r = RegSetValueExW(key, L"chkMin", 0, REG_SZ, reinterpret_cast<const BYTE*>(one), sizeof one);
    RegCloseKey(key);
  }
  check(r == ERROR_SUCCESS,
        std::wstring(L"saving an option under ") + path + L": error " + std::to_wstring(r));
}

// What the program leaves for the uninstaller: options in both hives and a schedule.
int save(const std::wstring& folder) {
  saveOption(HKEY_LOCAL_MACHINE, kSettingsKey);
  saveOption(HKEY_CURRENT_USER, kUserKey);
  HANDLE file = CreateFileW((folder + L"\\data\\" + kUserSchedule).c_str(), GENERIC_WRITE, 0,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  check(file != INVALID_HANDLE_VALUE, L"saving a schedule");
  if (file != INVALID_HANDLE_VALUE) {
    DWORD wrote = 0;
    WriteFile(file, "<DATA>\r\n", 8, &wrote, nullptr);
    CloseHandle(file);
  }
  return failures ? 1 : 0;
}

int installed(const std::wstring& folder) {
  for (const wchar_t* file : kProgramFiles) check(exists(folder + L"\\" + file), file);
  const DWORD data = GetFileAttributesW((folder + L"\\data").c_str());
  check(data != INVALID_FILE_ATTRIBUTES && (data & FILE_ATTRIBUTE_DIRECTORY), L"the data folder");
  check(exists(shortcut()), L"the Start-menu shortcut " + shortcut());

  const std::wstring exe = folder + L"\\Quenmark.exe";
  check(stringValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName") == L"Quenmark",
        L"the uninstall entry's DisplayName");
  check(stringValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion") == productVersion(exe),
        L"the uninstall entry's version is not the program's " + productVersion(exe));
  check(stringValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString") ==
            L"\"" + folder + L"\\uninstall.exe\"",
        L"UninstallString");
  // What the program itself registers: its path, quoted when it holds a space.
  const std::wstring command = exe.find(L' ') != std::wstring::npos ? L"\"" + exe + L"\"" : exe;
  const std::wstring run = stringValue(HKEY_LOCAL_MACHINE, kRunKey, kRunEntry);
  check(run == command, L"the Run value is " + run + L", not " + command);
  check(stringValue(HKEY_LOCAL_MACHINE, (std::wstring(kRunChoiceKey) + L"\\Settings").c_str(),
                    L"chkRunAtStart") == L"1",
        L"the stored start-with-Windows choice");
  // The event source, whose texts Event Viewer takes from the installed program.
  const std::wstring messages = expandStringValue(HKEY_LOCAL_MACHINE, kEventSourceKey,
                                                  L"EventMessageFile");
  check(messages == exe, L"the event source's EventMessageFile is " + messages);
  check(dwordValue(HKEY_LOCAL_MACHINE, kEventSourceKey, L"TypesSupported") == 7,
        L"the event source's TypesSupported");

  // Modify on what the program writes, with the folder's entry passed on to new files.
  const ACCESS_MASK modify = kFileWrite | FILE_GENERIC_READ;
  if (!underWine()) {
    checkGrant(L"data", folder + L"\\data", SE_FILE_OBJECT, modify,
               OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
    checkGrant(L"Localization.xml", folder + L"\\Localization.xml", SE_FILE_OBJECT, modify, 0);
  }
  checkGrant(kSettingsKey, std::wstring(L"MACHINE\\") + kSettingsKey, SE_REGISTRY_KEY,
             KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_QUERY_VALUE, CONTAINER_INHERIT_ACE);
  // Nothing that runs may become writable: the folder (new DLLs) and the program.
  for (const std::wstring& ro : {folder, exe}) {
    for (const Entry& e : usersEntries(ro, SE_FILE_OBJECT).value_or(std::vector<Entry>{})) {
      check(!(e.mask & (kFileWrite | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD |
                        GENERIC_WRITE | GENERIC_ALL | WRITE_DAC | WRITE_OWNER)),
            ro + L": Users may write it (" + hex(e.mask) + L")");
    }
  }

  // A save into the key the installer has just opened to Users.
  saveOption(HKEY_LOCAL_MACHINE, kSettingsKey);
  return failures ? 1 : 0;
}

// The uninstaller starts a copy of itself from the temporary folder and ends at once; the
// copy (Un.exe; older NSIS releases call it Au_.exe) does the work.
int waitForUninstaller() {
  auto running = [] {
    bool found = false;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry)) {
      found = lstrcmpiW(entry.szExeFile, L"Un.exe") == 0 ||
              lstrcmpiW(entry.szExeFile, L"Au_.exe") == 0;
    }
    CloseHandle(snapshot);
    return found;
  };
  for (int i = 0; i < 600 && running(); ++i) Sleep(100);
  check(!running(), L"the uninstaller still runs after a minute");
  return failures ? 1 : 0;
}

int removed(const std::wstring& folder, bool keep) {
  for (const wchar_t* file : kProgramFiles) check(!exists(folder + L"\\" + file), file);
  check(!exists(shortcut()), L"the Start-menu shortcut");
  check(!keyExists(HKEY_LOCAL_MACHINE, kSettingsKey), kSettingsKey);
  check(!keyExists(HKEY_LOCAL_MACHINE, kRunChoiceKey), kRunChoiceKey);
  check(!keyExists(HKEY_LOCAL_MACHINE, kUninstallKey), L"the uninstall entry");
  check(!keyExists(HKEY_LOCAL_MACHINE, kEventSourceKey), L"the event source");
  check(!keyExists(HKEY_CURRENT_USER, kUserKey), std::wstring(L"HKCU\\") + kUserKey);
  check(stringValue(HKEY_LOCAL_MACHINE, kRunKey, kRunEntry) == L"<missing>", L"the Run value");

  // What is left in the folder, by name.
  std::vector<std::wstring> left;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") left.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  if (keep) {
    check(left == std::vector<std::wstring>{L"data"}, L"the folder holds more than the data folder");
    check(exists(folder + L"\\data\\" + kUserSchedule), L"the kept schedule is gone");
  } else {
    check(!exists(folder), L"the folder is still there");
  }
  for (const auto& name : left) std::fwprintf(stderr, L"left: %ls\n", name.c_str());
  return failures ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == L"installed") return installed(args[1]);
  if (args.size() == 2 && args[0] == L"save") return save(args[1]);
  if (args.size() == 1 && args[0] == L"wait") return waitForUninstaller();
  if (args.size() == 3 && args[0] == L"removed") return removed(args[1], args[2] == L"keep");
  std::fwprintf(stderr, L"usage: install_check installed|save FOLDER | wait | removed FOLDER keep|none\n");
  return 2;
}
