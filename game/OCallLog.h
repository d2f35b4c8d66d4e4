#pragma once
// What a stand-in for a part of the game not built yet was asked. Each line
// stays in the stand-in's own list, and goes, prefixed with the stand-in's
// name, into one list shared by all of them in the order asked, so that a
// scenario can tell which call came last across stand-ins.

#include <vector>

#include "sdk/str.h"

class OCallLog {
 public:
  explicit OCallLog(const char* who) : mWho(who) {}
  void push_back(const str& line);
  const std::vector<str>& Lines() const { return mLines; }
  // "who line", oldest first.
  static const std::vector<str>& All();

 private:
  const char* mWho;
  std::vector<str> mLines;
};
