#pragma once

#include <windows.h>

#include <string>

#include "platform/file_system.h"
#include "platform/shell.h"
#include "core/settings/options.h"

namespace quenmark {

// What Form8 needs of the program.
struct Form8Context {
  const FileSystem& fs;
  Shell& shell;
  Options& options;
  std::string programFolder;
};

// The invisible help launcher: a plain window of size 0 x 0 that is never shown. Creating
// it loads it, and loading opens the help file once; destroying it unloads it.
class Form8 {
 public:
  explicit Form8(const Form8Context& context, HINSTANCE instance = GetModuleHandleW(nullptr));
  Form8(const Form8&) = delete;
  Form8& operator=(const Form8&) = delete;
  ~Form8();

  HWND hwnd() const { return hwnd_; }
  void Unload();

 private:
  void Form_Load();

  Form8Context context_;
  HWND hwnd_ = nullptr;
};

}  // namespace quenmark
