#pragma once

// The interface table's rows (MIB_IF_ROW2) need the IP definitions of Winsock 2 before the
// IP helper's header; no Winsock function is called.
#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>

#include <iphlpapi.h>

#include "platform/win32/lazy_library_win32.h"

namespace quenmark::win32 {

// What the network meter calls of iphlpapi, loaded on first use: GetIfTable2 (Vista and later,
// 64-bit counters) or else GetIfTable.
struct IpHelperApi {
  LazyLibrary library{L"iphlpapi.dll"};
  QUENMARK_LAZY_FUNCTION(GetIfTable2, &failsErrorCode);
  QUENMARK_LAZY_FUNCTION(FreeMibTable);
  QUENMARK_LAZY_FUNCTION(GetIfTable, &failsErrorCode);
};

}  // namespace quenmark::win32
