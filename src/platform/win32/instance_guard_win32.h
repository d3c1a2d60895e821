#pragma once

#include <windows.h>

#include <string>

#include "platform/instance_guard.h"
#include "platform/win32/handles.h"

namespace quenmark::win32 {

// A named mutex in the user's session: the first instance creates it and holds it until it
// ends; every later one finds it already there.
class NamedMutexGuard : public InstanceGuard {
 public:
  explicit NamedMutexGuard(const std::string& name);
  NamedMutexGuard(const NamedMutexGuard&) = delete;
  NamedMutexGuard& operator=(const NamedMutexGuard&) = delete;

  bool anotherInstanceRuns() const override { return another_; }

 private:
  UniqueHandle mutex_;
  bool another_ = false;
};

// The mutex name of the program: per session, after its maker and name.
std::string instanceMutexName(const std::string& companyName, const std::string& programName);

// Whether an instance holds the mutex of that name, asked without creating it.
bool instanceRuns(const std::string& name);

}  // namespace quenmark::win32
