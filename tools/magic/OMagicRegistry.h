#pragma once
// Which of the six magics the player has, and, under keys of the same kind,
// which worlds are open for travel; and how often the player drank each
// magic's potion from the basement flask, since enough drinks earn the
// magic. The game panel listens to every change and passes the magics' on to
// the magic control. Saved as "magic_registry".

#include <map>

#include "sdk/str.h"

class GGamePanel;
class TXmlNode;

class OMagicRegistry {
 public:
  // Values of a magic id; world ids take 0, 1 and 2 as their own.
  enum { kLocked = 0, kEarned = 1, kUnlocked = 2 };

  static OMagicRegistry* GetInstance();
  static bool HasInstance();
  static void DeleteInstance();

  // Not owned: the game window hands in its panel.
  void SetListener(GGamePanel* panel) { mListener = panel; }
  GGamePanel* GetListener() const { return mListener; }

  // 0 for a key never set.
  int GetValue(const str& key) const;
  // Stores the value and tells the listener, even when it did not change.
  void SetValue(const str& key, int value);
  // A counted drink of the magic's potion. Drinks after the magic was earned
  // are not counted; the drink that reaches the magic's "unlock_usage_count"
  // earns it and plays its unlock effect at once.
  void OnFlaskUsed(const str& magic);
  int GetFlaskUsage(const str& magic) const;
  // The default sound "unlock_magic".
  void PlayUnlockSound();

  void Save(TXmlNode* save) const;
  void Load(TXmlNode* save);

  const std::map<str, int>& GetValues() const { return mValues; }

  // The magic's element of the magic guide (cfg "magiccfg", root
  // "magic_guide"), or null; the guide itself, or null when the document
  // is missing or has another root (said once).
  static TXmlNode* GetGuideEntry(const str& magic);
  static TXmlNode* GetGuide();

 private:
  OMagicRegistry() = default;
  // The magic's "unlock_usage_count"; 0 when absent.
  static int UnlockUsageCount(const str& magic);

  std::map<str, int> mValues;
  std::map<str, int> mFlaskUsage;
  GGamePanel* mListener = nullptr;
  static OMagicRegistry* sInstance;
};
