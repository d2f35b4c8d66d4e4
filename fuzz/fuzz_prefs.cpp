// The preferences file as the game reads it at start: the input is
// prefs.xml. The store is opened, the players' manager and the save data
// read it, every key the game uses is asked of every player; then values
// taken from the input are set, and a store opened afresh must read them
// back, with every other value as it was.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <utility>

#include "FuzzGame.h"
#include "game/OSaveData.h"
#include "game/OUsersManager.h"
#include "sdk/TPrefs.h"

namespace {

const char* const kKeys[] = {PrefKey::kCurUser,    PrefKey::kFullscreen,  PrefKey::kName,
                             PrefKey::kSoundLevel, PrefKey::kMusicLevel,  PrefKey::kSoundOff,
                             PrefKey::kMusicOff,   PrefKey::kAutoSaveOff, OSaveData::kPrefKey,
                             "save_damaged"};
// Players past this are not asked one by one: a file may claim thousands.
const int kMaxUsers = 8;

typedef std::map<std::pair<int, str>, str> Values;

Values Read(const TPrefs& prefs) {
  Values values;
  const int users = std::min(prefs.GetNumUsers(), kMaxUsers);
  for (int user = -1; user < users; ++user)
    for (const char* key : kKeys) {
      if (!prefs.Has(key, user)) continue;
      values[{user, key}] = prefs.GetStr(key, "", user);
      (void)prefs.GetInt(key, 0, user);
    }
  return values;
}

void Fail(const char* what, int user, const str& key) {
  fprintf(stderr, "fuzz_prefs: %s: player %d, \"%s\"\n", what, user, key.c_str());
  abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Boot();
  fuzz::ClearPrefs();
  const str text = fuzz::Text(data, size);
  std::ofstream((fuzz::PrefsFolder() + "/prefs.xml").c_str(), std::ios::binary)
      .write(text.data(), std::streamsize(text.size()));

  // As the game starts: the players, the current one's name and options,
  // and their save data.
  OUsersManager* users = OUsersManager::Create();
  for (int i = 0; i < std::min(users->GetNumUsers(), kMaxUsers); ++i) (void)users->GetUserName(i);
  (void)users->GetCurrentUserName();
  (void)users->IsAutosaveOff();
  OSaveData::GetInstance()->Load();
  (void)OSaveData::GetInstance()->GetSaveNames();
  fuzz::ResetShared();

  // A round trip: one value set, from the input's own bytes, for each of
  // the global scope and the first player; the rest must stay.
  TPrefs prefs(fuzz::PrefsFolder());
  if (prefs.GetDamage() == TPrefs::kKeptInPlace) return 0;  // never written over
  Values expected = Read(prefs);
  const str value = text.substr(0, 64);
  const int scopes[] = {-1, prefs.GetNumUsers() > 0 ? 0 : -1};
  const char* const setKeys[] = {PrefKey::kFullscreen, PrefKey::kName};
  for (int i = 0; i < 2; ++i) {
    if (prefs.SetStr(setKeys[i], value, scopes[i])) expected[{scopes[i], setKeys[i]}] = value;
  }
  const TPrefs reread = TPrefs::ReadOnly(fuzz::PrefsFolder());
  if (reread.GetDamage() != TPrefs::kReadable) Fail("the file written does not read back", -1, "");
  const Values got = Read(reread);
  for (const auto& kv : expected) {
    auto it = got.find(kv.first);
    if (it == got.end()) Fail("a value was lost", kv.first.first, kv.first.second);
    if (it->second != kv.second) Fail("a value changed", kv.first.first, kv.first.second);
  }
  if (got.size() != expected.size()) Fail("a value appeared", -1, "");
  return 0;
}
