#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace quenmark {

// A failed system call: its error number and the system's description of it.
struct SysError {
  std::int64_t number = 0;
  std::string description;

  // The form every user-facing failure message takes: "Error 5 - Access is denied."
  std::string message() const { return "Error " + std::to_string(number) + " - " + description; }
  friend bool operator==(const SysError&, const SysError&) = default;
};

// A value or the SysError that prevented it (std::expected is C++23).
template <class T>
class Result {
 public:
  Result(T value) : v_(std::move(value)) {}  // NOLINT(google-explicit-constructor)
  Result(SysError error) : v_(std::move(error)) {}  // NOLINT(google-explicit-constructor)

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  const T& value() const { return std::get<0>(v_); }
  T& value() { return std::get<0>(v_); }
  const T& operator*() const { return value(); }
  const T* operator->() const { return &value(); }
  const SysError& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, SysError> v_;
};

// Outcome of an operation that yields nothing but may fail.
using Status = std::optional<SysError>;

}  // namespace quenmark
