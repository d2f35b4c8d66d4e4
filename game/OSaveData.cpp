#include "OSaveData.h"

#include "game/GStartup.h"
#include "game/ONotices.h"
#include "game/OUsersManager.h"
#include "sdk/TPrefs.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kSaveRoot = "save_data";
const char* const kSaveName = "save";
const char* const kSlotAttr = "ind";
const char* const kNameAttr = "save_name";
// Where a save-data text that no longer parses is kept, numbered from the
// second on, so a damaged document can still be looked at.
const char* const kDamagedKey = "save_damaged";
// Slot numbers beyond this are not believed: a damaged "ind" must not make
// the save windows allocate millions of empty names.
const int kMaxSlot = 1000;

TPrefs* Prefs() {
  OUsersManager* users = OUsersManager::GetInstance();
  return users ? users->GetPrefs() : nullptr;
}

int CurrentUser() {
  TPrefs* prefs = Prefs();
  return prefs ? prefs->GetInt("curuser", -1) : -1;
}

// The document in `text`, or null when it does not parse or is not save data.
std::unique_ptr<TXmlNode> Parse(const str& text, int user) {
  std::unique_ptr<TXmlNode> doc(new TXmlNode());
  str what = str::format("save data of player %d", user);
  if (!doc->ParseString(text, what)) return nullptr;
  if (doc->GetName() != kSaveRoot) {
    Report("%s: the root is \"%s\", not \"%s\"", what.c_str(), doc->GetName().c_str(), kSaveRoot);
    return nullptr;
  }
  return doc;
}

// The slot a "save" element stands for: its "ind" written exactly as the
// game writes a slot number, within the believable slots; -1 otherwise. The
// one rule for finding, replacing and listing saves, so a save never deletes
// a record that a load would refuse ("", "x", "1x", "01" are no slot).
int SlotOf(const TXmlNode* save) {
  if (save->GetName() != kSaveName) return -1;
  const str ind = save->GetAttribute(kSlotAttr);
  const int slot = ind.to_int();
  return slot >= 0 && slot <= kMaxSlot && ind == str::format("%d", slot) ? slot : -1;
}

TXmlNode* Find(TXmlNode* doc, int slot) {
  if (!doc) return nullptr;
  for (size_t i = 0; i < doc->GetChildCount(); ++i)
    if (SlotOf(doc->GetChildAt(i)) == slot) return doc->GetChildAt(i);
  return nullptr;
}

// A document cut short (a crash or a full disk while it was written): the
// slots before the cut, that is the longest text ending with a whole
// "</save>" that parses once its root is closed. `cut` is where the rest
// begins. Null when no slot is whole.
std::unique_ptr<TXmlNode> ParseWholeSlots(const str& text, size_t* cut) {
  static const char kClose[] = "</save>";
  // Only the last few ends are tried: a cut loses the slot it fell in.
  int tries = 16;
  for (size_t end = text.rfind(kClose); end != std::string::npos && tries-- > 0;
       end = end == 0 ? std::string::npos : text.rfind(kClose, end - 1)) {
    const size_t at = end + sizeof kClose - 1;
    std::unique_ptr<TXmlNode> doc(new TXmlNode());
    if (doc->ParseStringQuietly(text.substr(0, at) + "</" + kSaveRoot + ">") && doc->GetName() == kSaveRoot) {
      *cut = at;
      return doc;
    }
  }
  return nullptr;
}

// The first of "save_damaged", "save_damaged.1", ... that the player does
// not have yet: no damage ever replaces an earlier copy.
str FreeDamagedKey(TPrefs* prefs, int user) {
  str key = kDamagedKey;
  for (int n = 1; prefs->Has(key, user); ++n) key = str::format("%s.%d", kDamagedKey, n);
  return key;
}
}  // namespace

const char* const OSaveData::kPrefKey = "save";
const char* const OSaveData::kEmptyDocument = "<save_data></save_data>";
OSaveData* OSaveData::sInstance = nullptr;

OSaveData* OSaveData::GetInstance() {
  if (!sInstance) {
    sInstance = new OSaveData();
    // A change of player must never leave the last player's slots in
    // memory, where the next save would write them under the new player.
    // Deleting a player can move another one under the same index, so the
    // document is read again whatever the index.
    if (OUsersManager* users = OUsersManager::GetInstance())
      sInstance->mListenerId = users->AddUserChangedListener([] {
        if (sInstance && sInstance->mDocument) sInstance->Reload();
      });
    SetShutdownStep(kShutdownSaveData, [] { OSaveData::DeleteInstance(); });
  }
  return sInstance;
}

bool OSaveData::HasInstance() {
  return sInstance != nullptr;
}

void OSaveData::DeleteInstance() {
  delete sInstance;
  sInstance = nullptr;
}

OSaveData::~OSaveData() {
  if (mListenerId)
    if (OUsersManager* users = OUsersManager::GetInstance()) users->RemoveUserChangedListener(mListenerId);
}

str OSaveData::ReadPreference() {
  TPrefs* prefs = Prefs();
  return prefs ? prefs->GetStr(kPrefKey, kEmptyDocument, CurrentUser()) : str(kEmptyDocument);
}

void OSaveData::Load() {
  int user = CurrentUser();
  if (mDocument && user == mUserIndex) return;
  ParseFor(user);
}

void OSaveData::Reload() {
  ParseFor(CurrentUser());
}

void OSaveData::ParseFor(int user) {
  mUserIndex = user;
  mNewSave = nullptr;
  const str text = ReadPreference();
  mDocument = Parse(text, user);
  if (mDocument) return;
  size_t cut = 0;
  mDocument = ParseWholeSlots(text, &cut);
  if (mDocument) {
    KeepAside(text.substr(cut), *mDocument, user);
    return;
  }
  mDocument.reset(new TXmlNode(kSaveRoot));
  KeepAside(text, *mDocument, user);
}

void OSaveData::KeepAside(const str& damaged, const TXmlNode& kept, int user) {
  TPrefs* prefs = Prefs();
  // -1 is a game played with no player made: its saves are global values.
  if (!prefs || user < -1 || user >= prefs->GetNumUsers()) {
    Report("the saved games of player %d cannot be read; they read as empty", user);
    return;
  }
  // Moved aside now, not at the next save: the player is told where the
  // copy is, and a later damage must find this one kept.
  const str key = FreeDamagedKey(prefs, user);
  prefs->SetStr(key, damaged, user, false);
  if (kept.GetChildCount() > 0) {
    prefs->SetStr(kPrefKey, kept.AsString(), user, true);
    Report(
        "the saved games of player %d were cut short; the %zu slot(s) before the cut are kept, the rest is "
        "kept as \"%s\" in %s",
        user, kept.GetChildCount(), key.c_str(), prefs->GetPath().c_str());
    ONotices::Push("notice_save_cut",
                   "A saved game was cut short and could not be read. What was cut off was kept in %s under "
                   "\"%s\"; the saved games before it are kept.",
                   prefs->GetPath(), key);
    return;
  }
  prefs->SetStr(kPrefKey, kEmptyDocument, user, true);
  Report(
      "the saved games of player %d cannot be read; kept as \"%s\" in %s, and the list of saves starts "
      "empty",
      user, key.c_str(), prefs->GetPath().c_str());
  ONotices::Push(
      "notice_save_damaged",
      "The saved games could not be read. They were kept in %s under \"%s\", and the list of saved "
      "games starts empty.",
      prefs->GetPath(), key);
}

bool OSaveData::Store() {
  TPrefs* prefs = Prefs();
  if (!mDocument || !prefs) return false;
  // Slot by slot, so the message can say which one; whatever fails, what is
  // stored stays as it was, and so does the document in memory.
  for (size_t i = 0; i < mDocument->GetChildCount(); ++i) {
    TXmlNode* save = mDocument->GetChildAt(i);
    if (save->RoundTrips()) continue;
    if (save == mNewSave)
      Report(
          "save data of player %d: slot %d would not read back as written; the game is not saved, and the "
          "slot keeps what it held",
          mUserIndex, SlotOf(save));
    else
      Report(
          "save data of player %d: the stored <%s> with slot \"%s\" would not read back as it was read; "
          "the game is not saved",
          mUserIndex, save->GetName().c_str(), save->GetAttribute(kSlotAttr).c_str());
    Reload();
    return false;
  }
  mNewSave = nullptr;
  if (!prefs->SetStr(kPrefKey, mDocument->AsString(), mUserIndex, true)) {
    Report("save data of player %d: %s could not be written; the game is not saved", mUserIndex,
           prefs->GetPath().c_str());
    return false;
  }
  return true;
}

TXmlNode* OSaveData::CreateSave(int slot, const str& name) {
  Reload();
  for (size_t i = mDocument->GetChildCount(); i-- > 0;) {
    TXmlNode* save = mDocument->GetChildAt(i);
    if (SlotOf(save) == slot) mDocument->RemoveChild(save);
  }
  mNewSave = mDocument->CreateChild(kSaveName);
  mNewSave->SetAttribute(kNameAttr, name);
  mNewSave->SetAttribute(kSlotAttr, str::format("%d", slot));
  return mNewSave;
}

TXmlNode* OSaveData::FindSave(int slot) {
  Reload();
  return Find(mDocument.get(), slot);
}

std::vector<str> OSaveData::GetSaveNames() const {
  std::vector<str> names;
  std::unique_ptr<TXmlNode> doc = Parse(ReadPreference(), CurrentUser());
  if (!doc) return names;
  for (size_t i = 0; i < doc->GetChildCount(); ++i) {
    TXmlNode* save = doc->GetChildAt(i);
    if (save->GetName() != kSaveName) continue;
    const int slot = SlotOf(save);
    if (slot < 0) {
      Report("save data: a save with slot \"%s\" is skipped", save->GetAttribute(kSlotAttr).c_str());
      continue;
    }
    if (names.size() <= size_t(slot)) names.resize(slot + 1);
    names[slot] = save->GetAttribute(kNameAttr);
  }
  return names;
}

bool OSaveData::HasSave(int slot) {
  std::unique_ptr<TXmlNode> doc = Parse(ReadPreference(), CurrentUser());
  return Find(doc.get(), slot) != nullptr;
}
