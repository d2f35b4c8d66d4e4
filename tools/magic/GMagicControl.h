#pragma once
// The part of the game panel through which the player uses the six magics.
// A small button shows for every magic the player has; clicking it makes
// that magic the current one, whose big magic button and picture then show.
// A magic earned in the magic registry is announced by an unlock effect in
// the scene and joins the control after a delay. The control owns its
// eighteen children, made by its style and then taken out of the tree.

#include <utility>
#include <vector>

#include "game/LuaBinding.h"
#include "sdk/TWindow.h"

class GButton;
class GGamePanel;
class GMagicButton;
class IHint;
class TImage;
class TXmlNode;

class GMagicControl : public TWindow {
  TWINDOW_CLASS(GMagicControl, TWindow)
 public:
  enum { kMagicCount = 6 };
  // "fire", "health", "invisibility", "rainbow", "through_space",
  // "through_time": the magics' order everywhere.
  static const char* const kMagicIds[kMagicCount];
  // The index of a magic id, -1 for any other key.
  static int IndexOf(const str& magic);

  GMagicControl();
  ~GMagicControl() override;
  void PostChildrenInit(TWindowStyle& style) override;

  void SetPanel(GGamePanel* panel) { mPanel = panel; }
  void Lock() { mLocked = true; }
  // Unlocks and plays the unlock effects of the magics earned meanwhile.
  void Unlock();
  bool IsLocked() const { return mLocked; }
  void Tick();
  // Writes "magic_control" into the panel's element; pending unlocks are
  // carried out first, so they are never lost.
  void Save(TXmlNode* panel);
  void Load(TXmlNode* panel);
  // A change of the magic registry: 0 hides the magic, 2 starts its delayed
  // unlock; world ids change nothing.
  void OnMagicValueChanged(const str& key, int value);
  // For every earned magic (registry value 1), while a scene is on screen:
  // pauses the scene, marks the magic unlocked and plays its effect.
  void PlayUnlockEffects();

  void SetCurrentMagic(int index);
  int GetCurrentMagic() const { return mCurrentMagic; }
  // The three windows of a magic; null outside 0 to 5 or when the style
  // gave none.
  GButton* GetSmallButton(int index) const;
  GMagicButton* GetMagicButton(int index) const;
  TImage* GetPicture(int index) const;
  const std::vector<std::pair<str, int>>& GetPendingUnlocks() const { return mPending; }

  // The select globals ("onFireSmallButtonClick" ...).
  void onFireSmallButtonClick() { Select(0); }
  void onHealthSmallButtonClick() { Select(1); }
  void onInvisibilitySmallButtonClick() { Select(2); }
  void onRainbowSmallButtonClick() { Select(3); }
  void onThroughSpaceSmallButtonClick() { Select(4); }
  void onThroughTimeSmallButtonClick() { Select(5); }
  // The cast globals: each tests the refusals, then casts.
  void onFireMagicButtonClick();
  void onHealthMagicButtonClick();
  void onInvisibilityMagicButtonClick();
  void onRainbowMagicButtonClick();
  void onThroughSpaceMagicButtonClick();
  void onThroughTimeMagicButtonClick();

 private:
  // Whether a cast of the magic may happen now: the control unlocked, the
  // scene allowing magic and in plain play, and (for all but health) the
  // player awake. A refused cast does nothing at all.
  bool CanCast(int index);
  // Empties the magic's button, which then refills.
  void StartRestore(int index);
  // The full-screen effect of the magic, with the hints it hands on.
  void ShowEffect(const char* magic, std::vector<IHint*>* hints = nullptr);
  // Runs a game-screen action element with the current scene's masks.
  void RunSceneAction(TXmlNode* action);
  void Select(int index);
  void HideMagic(int index);
  void StartDelayedUnlock(const str& magic);
  void UnlockMagic(const str& magic);
  // Orphans every shown magic button and picture.
  void HideMagicButtons();

  GButton* mSmallButtons[kMagicCount] = {};       // owned
  GMagicButton* mMagicButtons[kMagicCount] = {};  // owned
  TImage* mPictures[kMagicCount] = {};            // owned
  int mCurrentMagic = -1;
  bool mLocked = false;
  GGamePanel* mPanel = nullptr;               // not owned
  std::vector<std::pair<str, int>> mPending;  // magic, ticks left
  LuaNameSet mLuaNames;
};
