#include "platform/win32/clock_win32.h"

#include <windows.h>

namespace quenmark::win32 {

std::chrono::local_seconds Win32Clock::now() const {
  using namespace std::chrono;
  SYSTEMTIME st;
  GetLocalTime(&st);
  return local_days{year{st.wYear} / month{st.wMonth} / day{st.wDay}} + hours{st.wHour} +
         minutes{st.wMinute} + seconds{st.wSecond};
}

}  // namespace quenmark::win32
