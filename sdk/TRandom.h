#pragma once
#include <cstdint>

// A small deterministic generator. The default constructor seeds from the
// platform clock (virtual when headless, so runs repeat).
class TRandom {
public:
  TRandom();
  explicit TRandom(uint32_t seed);
  void Seed(uint32_t seed);
  uint32_t Next();
  // Both bounds possible; lo > hi swaps them.
  int RandRange(int lo, int hi);
  // In [0, 1).
  float RandFloat();

private:
  uint64_t mState;
};
