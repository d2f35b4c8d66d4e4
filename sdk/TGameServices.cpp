#include "TGameServices.h"

TGameState* TGameState::GetInstance() {
  static TGameState instance;
  return &instance;
}

THiscores* THiscores::GetInstance() {
  static THiscores instance;
  return &instance;
}

str THiscores::GetProperty(const str& key) const {
  auto it = mProps.find(key);
  return it == mProps.end() ? str() : it->second;
}
