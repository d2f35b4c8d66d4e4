#include "TState.h"

#include <cstring>

#include "sdk/TReport.h"

namespace {
inline bool IsWordEnd(char c) {
  return c == '\0' || c == '_';
}
size_t WordLength(const char* w) {
  size_t n = 0;
  while (!IsWordEnd(w[n])) ++n;
  return n;
}
}  // namespace

TStateRegistry& TStateRegistry::GetInstance() {
  // A function-local static is built on first use, also during static
  // initialisation of the constants below, and destroyed at exit.
  static TStateRegistry instance;
  return instance;
}

bool TStateRegistry::WordLess::operator()(const char* a, const char* b) const {
  if (!a || !b) return !a && b;
  for (;; ++a, ++b) {
    bool ea = IsWordEnd(*a), eb = IsWordEnd(*b);
    if (ea || eb) return ea && !eb;
    if (*a != *b) return static_cast<signed char>(*a) < static_cast<signed char>(*b);
  }
}

int TStateRegistry::RegisterWord(const char* word, bool copy) {
  if (!word || IsWordEnd(*word)) return 0;
  auto it = mMap.find(word);
  if (it != mMap.end()) return it->second;
  if (mWords.size() >= kMaxWords) {
    // No byte value is left; the word is dropped from the name like a ninth word.
    if (!mFullReported) {
      size_t n = WordLength(word);
      Report("state names: more than %d distinct words; \"%.*s\" and later new words are ignored", kMaxWords,
             int(n), word);
      mFullReported = true;
    }
    return 0;
  }
  if (copy) {
    size_t n = WordLength(word);
    std::unique_ptr<char[]> buf(new char[n + 1]);
    memcpy(buf.get(), word, n);
    buf[n] = '\0';
    word = buf.get();
    mCopies.push_back(std::move(buf));
  }
  mWords.push_back(word);
  int number = int(mWords.size());
  mMap.emplace(word, number);
  return number;
}

const char* TStateRegistry::GetWord(int number) const {
  if (number < 1 || size_t(number) > mWords.size()) return nullptr;
  return mWords[number - 1];
}

template <class Config>
TStateT<Config> TStateT<Config>::Encode(const char* name, TStateRegistry& registry, bool copyNewWords) {
  if (!name || !*name) return TStateT();
  std::vector<const char*>& pieces = registry.Scratch();
  pieces.clear();
  pieces.push_back(name);
  for (const char* p = name; *p; ++p) {
    if (*p != '_') continue;
    // A trailing underscore records itself: an empty piece, skipped below.
    pieces.push_back(p[1] ? p + 1 : p);
  }
  uint64_t tag = 0;
  int used = 0;
  for (const char* piece : pieces) {
    int number = registry.RegisterWord(piece, copyNewWords);
    if (number == 0) continue;
    if (used >= kMaxWordsPerTag) break;
    tag |= uint64_t(number) << (8 * used);
    ++used;
  }
  pieces.clear();
  return TStateT(tag);
}

template <class Config>
str TStateT<Config>::Decode(const TStateRegistry& registry) const {
  str out;
  out.reserve(20);
  for (int i = 0; i < 8; ++i) {
    int number = int((mValue >> (8 * i)) & 0xFF);
    if (!number) continue;
    const char* w = registry.GetWord(number);
    if (!w) continue;
    if (i != 0) out += '_';
    out.append(w, WordLength(w));
  }
  return out;
}

template class TStateT<TDefStateConfig>;

const TState kStateNormal = TState::FromCStr("normal");
const TState kStateAny = TState::FromCStr("any");
