#pragma once
// The window in which the game is played ("GameWindow"). It hosts the one
// current scene, owns the game panel, runs the heartbeat of the whole game
// every 16 ms, performs the changes of scene and of scene state that the
// game object asks for, answers the quick-save keys and the local menu, and
// owns the objects of one running game: its destructor deletes them all.

#include "game/LuaBinding.h"
#include "sdk/TWindow.h"

class GGamePanel;
class GNavigator;
class GScene;
class GTravelEffect;
class IHint;
class OGame;
class OItemsManager;
class TXmlNode;

class GGameWnd : public TWindow {
  TWINDOW_CLASS(GGameWnd, TWindow)
 public:
  // Transition states.
  enum {
    kPlaying = 0,             // after a new scene faded in from black
    kPlayingAfterChange = 1,  // after a change of state or a journey
    kSceneChange = 2,         // change of scene requested
    kStateChange = 4,         // change of state requested (items kept)
    kNavigator = 5            // travel navigator running
  };
  enum { kAutosaveSlot = 0, kQuickSaveSlot = 1 };

  GGameWnd();
  ~GGameWnd() override;

  void Init(TWindowStyle& style) override;
  void PostChildrenInit(TWindowStyle& style) override;
  bool OnTaskAnimate() override;
  bool OnMouseMove(const TPoint& point) override;
  bool OnChar(int ch) override;
  bool OnKeyDown(int key, uint32_t flags) override;
  bool OnKeyUp(int key, uint32_t flags) override;

  GGamePanel* GetPanel() const { return mPanel; }
  // Each starts its effect over the paused scene, unless an effect already
  // runs: then the request is dropped. The magic effect takes the hints list
  // over and queues its hints when it ends; a refused or unknown one's hints
  // are queued after the running magic effect's, or at once.
  virtual void ShowMagicEffect(TXmlNode* node, std::vector<IHint*>* hints);
  virtual void ShowWakeUpEffect();

  // slot < 0 starts a new game, otherwise loads that slot. False when no
  // scene could be built (an empty slot, a state no builder knows): the
  // caller keeps the player in the menu.
  bool StartGame(int slot);
  // The scene of the game object's current state, adopted into the scene
  // host, initialised and made current; null (with a message) when the state
  // cannot be built. Not yet started: the caller runs OnStart and SetState.
  GScene* CreateCurrentScene();
  void DestroyCurrentScene(bool keepItems);
  // Behind a full-screen effect: the current scene goes at once (items not
  // kept), the scene `sceneId` becomes current and is built, started and
  // active at once, without a fade.
  void ChangeSceneAtOnce(const str& sceneId);
  // Opens the navigator of the kind the scene recorded; the scene has put
  // the window into its travel state.
  void OpenNavigator();
  GNavigator* GetNavigator() const { return mNavigator; }
  void ShowDialog(const str& script);
  void ShowLocalMenu();
  void SaveGame(int slot, const str& name, bool silent);
  // False when the slot holds no save: then nothing changes.
  bool LoadGame(int slot);
  void ResendHeldItemEvents();
  // The autosave runs at the end of the next heartbeat. False, and nothing
  // will be saved, while the current player has autosaves turned off.
  bool RequestAutosave();
  bool IsAutosaveRequested() const { return mAutosaveRequested; }

  // Lua "onCancelExit", "quitGame", "unlockCurrentScene".
  void onCancelExit();
  void quitGame();
  void unlockCurrentScene();
  // The main loop's close request: records whether the scene was already
  // paused, and pauses it.
  void OnCloseRequest();

  int GetTransitionState() const { return mTransitionState; }
  void SetTransitionState(int state) { mTransitionState = state; }
  GScene* GetCurrentScene() const { return mScene; }
  TWindow* GetSceneHost() const { return mSceneHost; }
  TWindow* GetEffectsLayer() const { return mEffectsLayer; }
  GTravelEffect* GetEffectWindow() const { return mEffectWindow; }
  // Written by the main loop at a close request; read by "onCancelExit".
  void SetSceneWasPaused(bool paused) { mSceneWasPaused = paused; }
  bool GetSceneWasPaused() const { return mSceneWasPaused; }
  // The items manager of the previous scene while a change of state is under
  // way. The builder takes it over (the window forgets it).
  OItemsManager* GetKeptItemsManager() const { return mKeptItems; }
  OItemsManager* TakeKeptItemsManager();

  // The game window of the running game, or null.
  static GGameWnd* GetCurrent() { return sCurrent; }

 private:
  // The change of scene or state the heartbeat owes, then the scene's tick.
  void SceneStep();
  // Whether the change of scene due now enters a game whose door could not
  // put away what the hand holds: no free cell in the main inventory.
  bool DoorKeepsHandOut(TXmlNode* node) const;
  void NavigatorStep();
  // The particle children of `node` played in the current scene.
  void PlayEffectsInScene(TXmlNode* node);
  // The running effect's tick; a finished one is deleted.
  void EffectStep();
  // A new effect window: adopted into the effects layer and started.
  void StartEffect(GTravelEffect* effect);

  OGame* mGame = nullptr;
  OItemsManager* mKeptItems = nullptr;  // owned
  bool mSceneWasPaused = false;
  GScene* mScene = nullptr;          // owned
  GNavigator* mNavigator = nullptr;  // owned
  TWindow* mEffectsLayer = nullptr;
  GTravelEffect* mEffectWindow = nullptr;  // owned
  GGamePanel* mPanel = nullptr;            // owned
  int32_t mTransitionState = kPlaying;
  TWindow* mMousePointer = nullptr;
  TWindow* mSceneHost = nullptr;
  TWindow* mSecondLayer = nullptr;
  bool mAutosaveRequested = false;
  str mUnused;
  // The scene the current scene window was built for, and whether it is a
  // game that took the hand at its door.
  str mShownSceneId;
  bool mShownTakesHand = false;
  LuaNameSet mLuaNames;
  static GGameWnd* sCurrent;
};
