#pragma once

#include <windows.h>

#include <unknwn.h>

#include <utility>

namespace quenmark::gui {

// Owns one reference to a COM object and releases it when it goes.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller holds (a new object, an out-parameter).
  static ComPtr adopt(T* p) {
    ComPtr c;
    c.p_ = p;
    return c;
  }
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For a call that hands out a reference: releases the old one first.
  T** put() {
    reset();
    return &p_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  // Another interface of the same object; empty when it has none.
  template <class U>
  ComPtr<U> as() const {
    ComPtr<U> out;
    if (p_) p_->QueryInterface(__uuidof(U), out.putVoid());
    return out;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace quenmark::gui
