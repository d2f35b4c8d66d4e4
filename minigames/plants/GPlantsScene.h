#pragma once
// The plants game: a hidden-object scene whose plan, a note the player
// brings, names the plants to gather into the panel's plants inventory
// (panel kind 11). Once shown, the plan's icons fade in while their plants
// lie in the inventory; the done button wins when every plant is there and
// every icon full, the clear button gives up. Either end can hand an item
// over, set a variable and change the scene.

#include <set>
#include <vector>

#include "game/GFullScreenGameScene.h"
#include "game/LuaBinding.h"

class GPlantGoal;
class IItem;

class GPlantsScene : public GFullScreenGameScene {
  TWINDOW_CLASS(GPlantsScene, GFullScreenGameScene)
 public:
  // The game variable that remembers the plan was taken from the player.
  static const char* const kHasNoteFlag;

  GPlantsScene();
  ~GPlantsScene() override;

  void Init(TWindowStyle& style) override;
  bool OnMouseDown(const TPoint& point) override;
  void Update() override;
  bool UsesPanel() override { return true; }
  void AttachPanel(GGamePanel* panel) override;
  void DetachPanel() override;
  GGamePanel* GetPanel() override { return mPanel; }
  void Pause() override;
  void Resume() override;
  void SaveState() override;
  void WriteState(TXmlNode* node) override;
  // The saved state, the goals' alphas and whether done was found.
  void DescribeState(TXmlNode* node) override;
  void OnGameEvent(TXmlNode* event) override;
  void OnDoneClick() override;
  void OnClearClick() override;
  bool IsMagicEnabled() override { return false; }

  // The Lua global "onMinigameButtonClick": shows the plan.
  void OnMinigameButtonClick();
  // Icons of plants in the inventory fade in, full ones of plants gone out.
  void SyncGoals();
  GPlantGoal* FindGoal(const str& name) const;
  void Finish(bool won);

  // Takes the goal over; the goals keep the order they are added in.
  void AddGoal(GPlantGoal* goal) { mGoals.push_back(goal); }
  const std::vector<GPlantGoal*>& GetGoals() const { return mGoals; }
  bool IsDone() const { return mDone; }
  bool IsNoteShown() const { return mNoteShown; }
  void SetNoteShown(bool shown) { mNoteShown = shown; }
  bool IsFinished() const { return mFinished; }
  GVObject* GetNote() const { return mNote; }

 protected:
  void UpdateTimers() override;
  bool DrawsIndicators() const override { return false; }

 private:
  void ReadConfig(TXmlNode* state);
  void TakeNote(TXmlNode* state);
  void CreatePlan(TXmlNode* field);
  void ShowPlan();
  // One tick of every fade; whether every icon is full after it.
  bool StepGoals();
  void ShowNoteButton(bool shown);
  // A plant of the beds or of the plan: the game's own piece.
  bool IsPlant(IItem* item) const;
  // At the end: every cell of the plants inventory emptied.
  void EmptyPlantsInventory(bool won);

  GGamePanel* mPanel = nullptr;     // not owned
  GVObject* mNote = nullptr;        // owned
  std::vector<GPlantGoal*> mGoals;  // owned
  std::set<str> mPlants;            // names of the game's own items
  bool mDone = false;
  bool mFinished = false;
  str mWinScene, mLoseScene;
  str mWinFlagName, mWinFlagValue, mLoseFlagName, mLoseFlagValue;
  str mWinItem, mLoseItem;
  int mTutorialCountdown = -1;
  str mTutorialScript;
  bool mNoteShown = false;
  LuaNameSet mLuaNames;
};
