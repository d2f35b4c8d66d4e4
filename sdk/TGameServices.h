#pragma once
#include <map>

#include "str.h"

// Store-side services the game sets but this platform does not act on.
class TGameState {
public:
  static TGameState* GetInstance();
  bool QueryJumpToMenu() const { return false; }
};

class THiscores {
public:
  static THiscores* GetInstance();
  void SetProperty(const str& key, const str& value) { mProps[key] = value; }
  str GetProperty(const str& key) const;

private:
  std::map<str, str> mProps;
};
