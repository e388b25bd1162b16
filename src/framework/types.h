// Basic value types shared by the whole framework layer.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace fw {

// A 24-bit RGB colour.
struct Color {
    int r = 0, g = 0, b = 0;
    constexpr bool operator==(const Color&) const = default;
    constexpr uint32_t ToRgb32() const { return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }
    static constexpr Color FromRgb32(uint32_t v) { return {int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF)}; }
};

constexpr Color RGB(int r, int g, int b) { return {r & 0xFF, g & 0xFF, b & 0xFF}; }
constexpr Color kWhite{255, 255, 255};
constexpr Color kBlack{0, 0, 0};

// Raised when a missing (nil) object is used.
class NilObjectException : public std::runtime_error {
public:
    explicit NilObjectException(const std::string& what = "nil object") : std::runtime_error(what) {}
};

// Dereferences a shared object, raising NilObjectException for an empty one.
template <class T>
T& Deref(const std::shared_ptr<T>& p, const char* what = "nil object") {
    if (!p) throw NilObjectException(what);
    return *p;
}

// Gives a variable a value for as long as it lives, and puts back what it
// was, also when what runs meanwhile raises.
template <class T>
class ScopedValue {
public:
    ScopedValue(T& variable, T value) : variable_(variable), was_(std::exchange(variable, std::move(value))) {}
    ~ScopedValue() { variable_ = std::move(was_); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& variable_;
    T was_;
};

class Picture;
class Graphics;
class MouseCursor;
class Window;
class Control;
class RectControl;
class MenuItem;
class Application;

using PicturePtr = std::shared_ptr<Picture>;
using CursorPtr = std::shared_ptr<MouseCursor>;

}  // namespace fw
