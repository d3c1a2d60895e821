#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/events/program_events.h"
#include "platform/win32/event_log_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/text_win32.h"

namespace quenmark {
namespace {

// Quenmark.exe beside this test program, as the build makes it and the installer names it
// as the event source's message file.
std::wstring programFile() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\')) + L"\\Quenmark.exe";
}

bool underWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The message as Event Viewer makes it: the program loaded as data, the inserts filled in.
std::optional<std::string> message(HMODULE program, std::uint32_t id,
                                   const std::vector<std::wstring>& inserts) {
  std::vector<DWORD_PTR> args;
  for (const std::wstring& s : inserts) args.push_back(reinterpret_cast<DWORD_PTR>(s.c_str()));
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
      program, id, 0, reinterpret_cast<wchar_t*>(&text), 0,
      reinterpret_cast<va_list*>(args.data()));
  const win32::UniqueLocal owned(text);
  if (!n) return std::nullopt;
  return win32::narrow(std::wstring_view(text, n));
}

// Every record the program writes has its text in the program's message table, and that
// text uses each of the record's inserts and no other.
TEST(EventLogWin32, TheProgramCarriesTheTextOfEveryRecordWithItsInserts) {
  const HMODULE program = LoadLibraryExW(programFile().c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr) << "no Quenmark.exe beside the tests";
  for (const EventDef& def : kEvents) {
    const auto id = static_cast<std::uint32_t>(def.id);
    std::vector<std::wstring> inserts;
    for (int i = 1; i <= def.strings + 3; ++i) {
      inserts.push_back(L"<insert " + std::to_wstring(i) + L">");
    }
    const std::optional<std::string> text = message(program, id, inserts);
    ASSERT_TRUE(text) << "no message " << id;
    for (int i = 1; i <= def.strings + 3; ++i) {
      const bool used = text->find("<insert " + std::to_string(i) + ">") != std::string::npos;
      EXPECT_EQ(used, i <= def.strings) << "message " << id << ", insert " << i << ": " << *text;
    }
  }
  EXPECT_FALSE(message(program, 99, {})) << "ids outside the table have no text";
  FreeLibrary(program);
}

// A record written through the real calls. Where the log can be read back (Windows), the
// newest record of the source is the one written; Wine keeps no log to read (ReadEventLogW
// finds nothing), so there the ctest wine_event_log checks the call from Wine's own trace.
TEST(EventLogWin32, WritesThroughTheRealEventLog) {
  const std::string source = "QuenmarkEventTest";
  win32::Win32EventLog log(source);
  EXPECT_EQ(log.handle(), nullptr) << "opened at the first record, not before";
  log.report(EventType::Warning, static_cast<std::uint32_t>(EventId::MissedDropped),
             {"Event test", "Shut Down", "2025-03-05 15:30"});
  ASSERT_NE(log.handle(), nullptr) << "RegisterEventSourceW";
  log.report(EventType::Information, static_cast<std::uint32_t>(EventId::Ended), {});

  struct Reader {
    HANDLE h = OpenEventLogW(nullptr, L"Application");
    ~Reader() {
      if (h) CloseEventLog(h);
    }
  } reader;
  ASSERT_NE(reader.h, nullptr) << "OpenEventLogW";
  std::vector<BYTE> buffer(64 * 1024);
  DWORD read = 0, needed = 0;
  const BOOL ok = ReadEventLogW(reader.h, EVENTLOG_SEQUENTIAL_READ | EVENTLOG_BACKWARDS_READ, 0,
                                buffer.data(), static_cast<DWORD>(buffer.size()), &read, &needed);
  if (!ok && underWine()) {
    GTEST_SKIP() << "Wine keeps no log to read back (ReadEventLogW: error " << GetLastError()
                 << "); the ctest wine_event_log checks the calls made";
  }
  ASSERT_TRUE(ok) << "ReadEventLogW: error " << GetLastError();
  std::vector<std::string> found;  // this source's records, newest first
  for (DWORD at = 0; at < read;) {
    const auto* r = reinterpret_cast<const EVENTLOGRECORD*>(buffer.data() + at);
    const auto* name = reinterpret_cast<const wchar_t*>(r + 1);
    if (win32::narrow(name) == source) {
      std::string line = std::to_string(r->EventID & 0xFFFF) + " " + std::to_string(r->EventType);
      const auto* s = reinterpret_cast<const wchar_t*>(buffer.data() + at + r->StringOffset);
      for (WORD i = 0; i < r->NumStrings; ++i, s += wcslen(s) + 1) line += " | " + win32::narrow(s);
      found.push_back(line);
    }
    at += r->Length;
  }
  ASSERT_GE(found.size(), 2u);
  EXPECT_EQ(found[0], "2 4");
  EXPECT_EQ(found[1], "120 2 | Event test | Shut Down | 2025-03-05 15:30");
}

}  // namespace
}  // namespace quenmark
