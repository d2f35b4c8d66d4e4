#include "TRandom.h"

#include <utility>

#include "TPlatform.h"

TRandom::TRandom() {
  TPlatform* platform = TPlatform::GetInstance();
  Seed(platform ? platform->Timer() : 0);
}

TRandom::TRandom(uint32_t seed) {
  Seed(seed);
}

void TRandom::Seed(uint32_t seed) {
  // splitmix64 spreads small, similar seeds (timer values) over the state;
  // xorshift needs a state that is never zero.
  uint64_t z = uint64_t(seed) + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  mState = z ? z : 0x2545F4914F6CDD1Dull;
}

uint32_t TRandom::Next() {
  mState ^= mState >> 12;
  mState ^= mState << 25;
  mState ^= mState >> 27;
  return uint32_t((mState * 0x2545F4914F6CDD1Dull) >> 32);
}

int TRandom::RandRange(int lo, int hi) {
  if (lo > hi) std::swap(lo, hi);
  uint64_t span = uint64_t(int64_t(hi) - int64_t(lo)) + 1;  // up to 2^32
  uint64_t pick = (uint64_t(Next()) * span) >> 32;
  return int(int64_t(lo) + int64_t(pick));
}

float TRandom::RandFloat() {
  // 24 bits: every value is exact in a float and stays below 1.
  return float(Next() >> 8) * (1.0f / 16777216.0f);
}
