#pragma once
// Short names (state names and the like) as 64-bit tags: each underscore-
// separated word becomes one byte, its number in one program-wide word
// registry, so comparing two names is one integer comparison.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "sdk/str.h"

// Carries nothing; it keeps the tag type a template so that another word
// space could be added without touching the encoder.
struct TDefStateConfig {};

class TStateRegistry {
 public:
  enum { kMaxWords = 255 };
  static TStateRegistry& GetInstance();

  // The word's number (1..255), registering it when new; 0 for an empty
  // word or when the registry is full.
  int RegisterWord(const char* word, bool copy);
  // The first character of word `number` (1-based); the word ends at "_" or
  // the end of the text. Null for an unknown number.
  const char* GetWord(int number) const;
  size_t GetWordCount() const { return mWords.size(); }

  // Scratch space of the encoder: starts of the pieces of the name in hand.
  std::vector<const char*>& Scratch() { return mScratch; }

 private:
  TStateRegistry() = default;
  struct WordLess {
    bool operator()(const char* a, const char* b) const;
  };
  std::vector<std::unique_ptr<char[]>> mCopies;
  std::vector<const char*> mScratch;
  std::vector<const char*> mWords;
  std::map<const char*, int, WordLess> mMap;
  bool mFullReported = false;
};

template <class Config>
class TStateT {
 public:
  enum { kMaxWordsPerTag = 8 };
  TStateT() = default;
  explicit TStateT(uint64_t value) : mValue(value) {}

  // For text that lives for the whole run (literals).
  static TStateT FromCStr(const char* name) { return Encode(name, TStateRegistry::GetInstance(), false); }
  static TStateT FromStr(const str& name) {
    if (name.empty()) return TStateT();
    return Encode(name.c_str(), TStateRegistry::GetInstance(), true);
  }
  static TStateT Encode(const char* name, TStateRegistry& registry, bool copyNewWords);

  str ToStr() const { return Decode(TStateRegistry::GetInstance()); }
  str Decode(const TStateRegistry& registry) const;

  uint64_t Value() const { return mValue; }
  bool IsEmpty() const { return mValue == 0; }
  bool operator==(const TStateT& o) const {
    return uint32_t(mValue) == uint32_t(o.mValue) && uint32_t(mValue >> 32) == uint32_t(o.mValue >> 32);
  }
  bool operator!=(const TStateT& o) const { return !(*this == o); }
  bool operator<(const TStateT& o) const { return mValue < o.mValue; }

 private:
  uint64_t mValue = 0;
};

typedef TStateT<TDefStateConfig> TState;

// The fallback states every object knows by name.
extern const TState kStateNormal;
extern const TState kStateAny;
