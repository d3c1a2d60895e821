#include "support/program_harness_win32.h"

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <stdexcept>

#include "gui/controls.h"
#include "platform/win32/text_win32.h"
#include "support/main_window_fixture_win32.h"

namespace quenmark::testing {
namespace {

constexpr wchar_t kMachineKey[] = L"SOFTWARE\\Tarvossa\\Quenmark\\Settings";
constexpr wchar_t kUserKey[] = L"Software\\Tarvossa\\Quenmark\\Settings";

void clean() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tarvossa");
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tarvossa");
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Policies\\Tarvossa");
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     L"Quenmark-1");
}

void setString(HKEY root, const wchar_t* key, const std::string& name, const std::string& value) {
  const std::wstring v = win32::widen(value);
  RegSetKeyValueW(root, key, win32::widen(name).c_str(), REG_SZ, v.c_str(),
                  static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t)));
}

// Every value under the key and its subkeys, as "path\name" = type and data.
void dumpKey(HKEY root, const std::wstring& path, const std::string& label,
             std::map<std::string, std::string>& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  wchar_t name[512];
  BYTE data[4096];
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = static_cast<DWORD>(std::size(name)), size = sizeof data, type = 0;
    if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    out[label + "\\" + win32::narrow(name)] =
        std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), size);
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLen = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(key, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    dumpKey(root, path + L"\\" + name, label + "\\" + win32::narrow(name), out);
  }
  RegCloseKey(key);
}

}  // namespace

ProgramHarness::ProgramHarness() {
  clean();
  EXPECT_TRUE(writeTestFile(folder / "Localization.xml", shippedLocalization()));
  CreateDirectoryW(win32::widen(folder / "data").c_str(), nullptr);
  setUser("Language", "English");
  setUser("showHelp", "0");
}

ProgramHarness::~ProgramHarness() {
  program.reset();
  clean();
}

win32::Program& ProgramHarness::start(bool untilMainWindow) {
  program.reset();
  Platform p = seams.platform();
  program = std::make_unique<win32::Program>(
      Platform{p.fs, p.codec, clock, p.regional, dialogs, p.registry, power, p.shell,
               p.versionInfo, events, p.meters},
      seams.http, folder.path(), /*singleInstance=*/false);
  EXPECT_TRUE(program->start());
  if (untilMainWindow) {
    EXPECT_TRUE(program->waitForMainWindow(std::chrono::seconds(10)));
  }
  return *program;
}

gui::Form& ProgramHarness::form(std::string_view name) const {
  gui::Form* f = program->forms().find(name);
  if (!f) throw std::out_of_range(std::string(name) + " is not loaded");
  return *f;
}

bool ProgramHarness::isLoaded(std::string_view name) const {
  return program->forms().find(name) != nullptr;
}

void ProgramHarness::setMachine(const std::string& name, const std::string& value) {
  setString(HKEY_LOCAL_MACHINE, kMachineKey, name, value);
}

void ProgramHarness::setUser(const std::string& name, const std::string& value) {
  setString(HKEY_CURRENT_USER, kUserKey, name, value);
}

std::map<std::string, std::string> ProgramHarness::stored() const {
  std::map<std::string, std::string> out;
  dumpKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tarvossa", "HKLM", out);
  dumpKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Policies\\Tarvossa", "Policies", out);
  dumpKey(HKEY_CURRENT_USER, L"Software\\Tarvossa", "HKCU", out);
  char run[1024] = {};
  DWORD size = sizeof run;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                   "Quenmark-1", RRF_RT_REG_SZ, nullptr, run, &size) == ERROR_SUCCESS) {
    out["Run\\Quenmark-1"] = run;
  }
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(win32::widen(folder / "data\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string name = win32::narrow(found.cFileName);
      out["data\\" + name] = readTestFile(folder / ("data\\" + name));
    } while (FindNextFileW(h, &found));
    FindClose(h);
  }
  return out;
}

std::vector<std::string> shown(gui::Form& window) {
  std::vector<std::string> out;
  for (TranslatableControl* t : window.controls()) {
    auto* c = dynamic_cast<gui::Control*>(t);
    if (!c || !c->created()) continue;
    std::string line = c->name();
    if (c->index()) line += "(" + std::to_string(*c->index()) + ")";
    line += " '" + c->caption() + "'";
    if (c->kind() == gui::Kind::CheckBox) {
      line += " value " + std::to_string(static_cast<gui::CheckBox*>(c)->value());
    } else if (c->kind() == gui::Kind::OptionButton) {
      line += static_cast<gui::OptionButton*>(c)->value() ? " on" : " off";
    } else if (c->kind() == gui::Kind::ListView) {
      auto* list = static_cast<gui::ListView*>(c);
      for (int r = 0; r < list->itemCount(); ++r) {
        for (int col = 0; col < list->columnCount(); ++col) line += " | " + list->itemText(r, col);
      }
    }
    line += IsWindowVisible(c->hwnd()) ? " shown" : " hidden";
    line += IsWindowEnabled(c->hwnd()) ? " enabled" : " disabled";
    out.push_back(line);
  }
  return out;
}

void clickListRow(const gui::ListView& list, int row) {
  RECT r{};
  r.left = LVIR_LABEL;
  SendMessageW(list.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  // The list view follows a button down with a loop that waits for the button up.
  PostMessageW(list.hwnd(), WM_LBUTTONUP, 0, at);
  SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
}

void closeBox(gui::Form& window) {
  if (window.loaded()) SendMessageW(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace quenmark::testing
