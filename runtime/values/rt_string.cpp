#include "runtime/values/rt_string.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "runtime/values/error_trace.h"
#include "runtime/values/errors.h"

namespace mvn {

namespace {

// Shared by every fresh empty value; never written, never freed.
char emptyBuffer[1] = {0};

bool owns(const RtString& s) { return s.capacity > 0; }

int textLength(const char* text) {
  size_t n = std::strlen(text);
  return n > static_cast<size_t>(RtString::kMaxLength) ? RtString::kMaxLength
                                                      : static_cast<int>(n);
}

}  // namespace

RtString::RtString() : buffer(emptyBuffer), capacity(0), length(0) {}

RtString::RtString(const char* text) : RtString() {
  if (text != nullptr) appendBytes(text, textLength(text));
}

RtString::RtString(const RtString& other) : RtString() {
  appendBytes(other.buffer, other.length);
}

RtString::RtString(RtString&& other) noexcept : RtString() { swap(other); }

RtString::~RtString() { release(); }

RtString& RtString::operator=(const RtString& other) {
  assign(other);
  return *this;
}

RtString& RtString::operator=(RtString&& other) noexcept {
  if (this != &other) {
    release();
    swap(other);
  }
  return *this;
}

RtString& RtString::operator=(const char* text) {
  assign(text);
  return *this;
}

void RtString::release() {
  if (owns(*this)) std::free(buffer);
  buffer = emptyBuffer;
  capacity = 0;
  length = 0;
}

bool RtString::reserve(int n, bool keep) {
  if (n <= 0 || capacity >= n + 1) return true;
  if (n > kMaxLength) {
    failWith(7, "text longer than the longest a text holds", "text", n);
    return false;
  }
  int newCapacity = (n + 1) - ((n + 1) % 16) + 16;
  char* fresh = static_cast<char*>(std::calloc(static_cast<size_t>(newCapacity), 1));
  if (fresh == nullptr) {
    failWith(7, "out of memory for the text", "text", n);
    return false;
  }
  if (keep && length > 0) {
    std::memcpy(fresh, buffer, static_cast<size_t>(length));
    fresh[length] = 0;
  }
  if (owns(*this)) std::free(buffer);
  buffer = fresh;
  capacity = newCapacity;
  return true;
}

void RtString::assign(const RtString& source) {
  if (source.buffer == buffer) return;
  if (source.length == 0) {
    if (owns(*this)) buffer[0] = 0;
    length = 0;
    return;
  }
  if (!reserve(source.length, false)) return;
  std::memcpy(buffer, source.buffer, static_cast<size_t>(source.length) + 1);
  length = source.length;
}

void RtString::assign(const char* text) {
  if (text == buffer) return;
  int n = text == nullptr ? 0 : textLength(text);
  if (n == 0) {
    if (owns(*this)) buffer[0] = 0;
    length = 0;
    return;
  }
  // A text inside our own buffer is shorter than what we hold, so reserve
  // keeps the buffer; the regions may overlap, hence memmove.
  if (!reserve(n, false)) return;
  std::memmove(buffer, text, static_cast<size_t>(n));
  buffer[n] = 0;
  length = n;
}

void RtString::append(const RtString& text) { appendBytes(text.buffer, text.length); }

void RtString::append(const char* text) {
  if (text != nullptr) appendBytes(text, textLength(text));
}

void RtString::append(char c) { appendBytes(&c, 1); }

void RtString::appendBytes(const char* text, int count) {
  if (count <= 0) return;
  if (count > kMaxLength - length) {
    failWith(7, "text longer than the longest a text holds", "text", int64_t(length) + count);
    return;
  }
  // Appending a part of ourselves: the buffer may move while growing.
  bool inside = owns(*this) && text >= buffer && text < buffer + capacity;
  std::ptrdiff_t offset = inside ? text - buffer : 0;
  if (!reserve(length + count, true)) return;
  if (inside) text = buffer + offset;
  std::memmove(buffer + length, text, static_cast<size_t>(count));
  length += count;
  buffer[length] = 0;
}

void RtString::swap(RtString& other) noexcept {
  std::swap(buffer, other.buffer);
  std::swap(capacity, other.capacity);
  std::swap(length, other.length);
}

void RtString::recomputeLength() {
  if (!owns(*this)) {
    length = 0;
    return;
  }
  int n = 0;
  while (n < capacity && buffer[n] != 0) ++n;
  if (n == capacity) {
    --n;
    buffer[n] = 0;
  }
  length = n;
}

RtString operator+(const RtString& left, const RtString& right) {
  RtString result(left);
  result.append(right);
  return result;
}

RtString operator+(const RtString& left, const char* right) {
  RtString result(left);
  result.append(right);
  return result;
}

RtString operator+(const char* left, const RtString& right) {
  RtString result(left);
  result.append(right);
  return result;
}

int compareText(const char* left, const char* right) {
  return std::strcmp(left != nullptr ? left : "", right != nullptr ? right : "");
}

}  // namespace mvn
