#pragma once
// The string type passed everywhere in the game: a thin layer over std::string
// with the conversions the content readers need.

#include <cstdarg>
#include <string>

class str : public std::string {
 public:
  using std::string::string;
  str() = default;
  str(const std::string& s) : std::string(s) {}
  str(std::string&& s) : std::string(std::move(s)) {}

  // "" and text that is not a number both read as 0; leading digits are taken.
  int to_int() const;
  float to_float() const;
  bool is_int() const;  // the whole text is a (signed) decimal integer

  static str format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
  static str vformat(const char* fmt, va_list args);

  // Replaces every occurrence of `from` (non-empty) with `to`; returns *this.
  str& replace_all(const str& from, const str& to);
  bool starts_with(const str& prefix) const;
  bool ends_with(const str& suffix) const;
  str lower() const;
  // At most `bytes` bytes, cut before a UTF-8 character rather than inside.
  str cut_utf8(size_t bytes) const;
};

namespace std {
template <>
struct hash<str> {
  size_t operator()(const str& s) const { return hash<std::string>()(s); }
};
}  // namespace std
