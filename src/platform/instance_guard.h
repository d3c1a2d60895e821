#pragma once

namespace quenmark {

// Tells whether another instance of the program is already running. WinMain holds the real
// one (a named mutex) for the whole run; in-process tests hand in one that says no, so that
// several main windows can load side by side.
class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;
  virtual bool anotherInstanceRuns() const = 0;
};

// The guard of a program that is alone, or does not care.
class NoInstanceGuard : public InstanceGuard {
 public:
  bool anotherInstanceRuns() const override { return false; }
};

}  // namespace quenmark
