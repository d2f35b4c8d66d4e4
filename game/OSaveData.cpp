#include "OSaveData.h"

#include "game/GStartup.h"
#include "game/OUsersManager.h"
#include "sdk/TPrefs.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
const char* const kRootName = "save_data";
const char* const kSaveName = "save";
const char* const kSlotAttr = "ind";
const char* const kNameAttr = "save_name";
// Where a save-data text that no longer parses is kept before the first new
// save replaces it, so a damaged document can still be looked at.
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
  if (doc->GetName() != kRootName) {
    Report("%s: the root is \"%s\", not \"%s\"", what.c_str(), doc->GetName().c_str(), kRootName);
    return nullptr;
  }
  return doc;
}

// The first element or attribute name in the tree that XML cannot carry;
// the writer would leave it out, and the save would come back incomplete.
const TXmlNode* FindUnwritable(const TXmlNode* node, str* bad) {
  if (!TXmlNode::IsValidName(node->GetName())) {
    *bad = node->GetName();
    return node;
  }
  TXmlNode* n = const_cast<TXmlNode*>(node);
  n->ResetAttributes();
  str name, value;
  while (n->GetNextAttribute(&name, &value))
    if (!TXmlNode::IsValidName(name)) {
      *bad = name;
      return node;
    }
  for (size_t i = 0; i < node->GetChildCount(); ++i)
    if (const TXmlNode* found = FindUnwritable(node->GetChildAt(i), bad)) return found;
  return nullptr;
}

bool SlotMatches(const TXmlNode* save, int slot) {
  bool found = false;
  str ind = save->GetAttribute(kSlotAttr, &found);
  return found && !ind.empty() && ind.is_int() && ind.to_int() == slot;
}

TXmlNode* Find(TXmlNode* doc, int slot) {
  if (!doc) return nullptr;
  for (size_t i = 0; i < doc->GetChildCount(); ++i) {
    TXmlNode* save = doc->GetChildAt(i);
    if (save->GetName() == kSaveName && SlotMatches(save, slot)) return save;
  }
  return nullptr;
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
  mDocument = Parse(ReadPreference(), user);
  mDamaged = !mDocument;
  if (!mDocument) {
    Report("the saved games of player %d cannot be read; they are kept aside at the next save", user);
    mDocument.reset(new TXmlNode(kRootName));
  }
}

bool OSaveData::Store() {
  TPrefs* prefs = Prefs();
  if (!mDocument || !prefs) return false;
  str bad;
  if (FindUnwritable(mDocument.get(), &bad)) {
    Report("save data: \"%s\" cannot be written as an XML name; the game is not saved", bad.c_str());
    return false;
  }
  str text = mDocument->AsString();
  std::unique_ptr<TXmlNode> check = Parse(text, mUserIndex);
  if (!check || check->AsString() != text) {
    Report("the saved games of player %d would not read back; the game is not saved", mUserIndex);
    return false;
  }
  if (mDamaged) {
    prefs->SetStr(kDamagedKey, prefs->GetStr(kPrefKey, kEmptyDocument, mUserIndex), mUserIndex, false);
    mDamaged = false;
  }
  prefs->SetStr(kPrefKey, text, mUserIndex, true);
  return true;
}

TXmlNode* OSaveData::CreateSave(int slot, const str& name) {
  Reload();
  for (size_t i = mDocument->GetChildCount(); i-- > 0;) {
    TXmlNode* save = mDocument->GetChildAt(i);
    if (save->GetAttribute(kSlotAttr).to_int() == slot) mDocument->RemoveChild(save);
  }
  TXmlNode* save = mDocument->CreateChild(kSaveName);
  save->SetAttribute(kNameAttr, name);
  save->SetAttribute(kSlotAttr, str::format("%d", slot));
  return save;
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
    str ind = save->GetAttribute(kSlotAttr);
    int slot = ind.to_int();
    if (!ind.is_int() || slot < 0 || slot > kMaxSlot) {
      Report("save data: a save with slot \"%s\" is skipped", ind.c_str());
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
