#pragma once

#include "platform/registry.h"

namespace quenmark {

// Owns one opened registry key and closes it when it goes out of scope, so that every
// path out of a routine closes what the routine opened.
class ScopedKey {
 public:
  explicit ScopedKey(Registry& registry) : registry_(registry) {}
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ~ScopedKey() { close(); }

  // The slot an open or create call fills; call adopt() once it succeeded.
  RegKey& slot() { return pending_; }
  void adopt() {
    close();
    key_ = pending_;
    open_ = true;
  }

  bool isOpen() const { return open_; }
  RegKey get() const { return key_; }

  void close() {
    if (open_) registry_.closeKey(key_);
    open_ = false;
  }

 private:
  Registry& registry_;
  RegKey pending_ = 0;
  RegKey key_ = 0;
  bool open_ = false;
};

}  // namespace quenmark
