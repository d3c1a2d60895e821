#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/event_log.h"
#include "platform/file_system.h"
#include "platform/meters.h"
#include "platform/power_api.h"
#include "platform/regional.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/version_info.h"

namespace quenmark {

// The outside world as the program reaches it. WinMain hands in the Win32 implementations;
// tests hand in fakes (power calls are always recorded, never made, in tests).
struct Platform {
  FileSystem& fs;
  const TextCodec& codec;
  const Clock& clock;
  const Regional& regional;
  Dialogs& dialogs;
  Registry& registry;
  PowerApi& power;
  Shell& shell;
  const VersionInfo& versionInfo;
  EventLog& events;
  Meters& meters;  // what "When..." entries wait on (tests: the fake, or the real ones)
};

}  // namespace quenmark
