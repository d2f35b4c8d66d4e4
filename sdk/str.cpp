#include "str.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

int str::to_int() const {
  const char* p = c_str();
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
  bool neg = false;
  if (*p == '+' || *p == '-') neg = *p++ == '-';
  // Accumulate in 64 bits and clamp, so a long run of digits in content
  // cannot overflow into a wrong sign.
  long long v = 0;
  while (*p >= '0' && *p <= '9') {
    if (v <= (long long)INT_MAX + 1) v = v * 10 + (*p - '0');
    ++p;
  }
  if (neg) v = -v;
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return int(v);
}

float str::to_float() const {
  const char* p = c_str();
  char* end = nullptr;
  double v = std::strtod(p, &end);
  if (end == p || !std::isfinite(v)) return 0;
  return float(v);
}

bool str::is_int() const {
  size_t i = 0;
  if (i < size() && ((*this)[i] == '+' || (*this)[i] == '-')) ++i;
  if (i == size()) return false;
  for (; i < size(); ++i)
    if (!std::isdigit((unsigned char)(*this)[i])) return false;
  return true;
}

str str::format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  str s = vformat(fmt, args);
  va_end(args);
  return s;
}

str str::vformat(const char* fmt, va_list args) {
  char small[256];
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(small, sizeof small, fmt, copy);
  va_end(copy);
  if (n < 0) return str();
  if (size_t(n) < sizeof small) return str(small, size_t(n));
  std::vector<char> big(size_t(n) + 1);
  std::vsnprintf(big.data(), big.size(), fmt, args);
  return str(big.data(), size_t(n));
}

str& str::replace_all(const str& from, const str& to) {
  if (from.empty()) return *this;
  size_t pos = 0;
  while ((pos = find(from, pos)) != npos) {
    replace(pos, from.size(), to);
    pos += to.size();
  }
  return *this;
}

bool str::starts_with(const str& prefix) const {
  return compare(0, prefix.size(), prefix) == 0;
}

bool str::ends_with(const str& suffix) const {
  return size() >= suffix.size() && compare(size() - suffix.size(), suffix.size(), suffix) == 0;
}

str str::lower() const {
  str s(*this);
  for (char& c : s) c = char(std::tolower((unsigned char)c));
  return s;
}

str str::cut_utf8(size_t bytes) const {
  if (size() <= bytes) return *this;
  size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>((*this)[end]) & 0xC0) == 0x80) --end;
  return substr(0, end);
}
