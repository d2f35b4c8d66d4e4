#pragma once
// Where the player is: the current world, the current scene of that world,
// and which of the scene's states applies now. The state is chosen from the
// game variables, and every variable change re-chooses it, so a scene can
// change its look while the player stands in it. Scenes are built by the
// game window; this object only loads the world and scene documents and
// tells the window to rebuild.

#include <memory>

#include "game/OFlagsRegistry.h"
#include "game/OGameConfig.h"
#include "sdk/str.h"

class GGameWnd;
class TXmlNode;

// A Vethra scene's place on the world map: one digit each.
struct OVethraCoords {
  int part = 0;
  int column = 0;
  int row = 0;
};

class OGame : public IFlagsListener {
 public:
  // Made on first use: enters the default world.
  static OGame* GetInstance();
  static bool HasInstance();
  // Deletes the game object, the game variables and the mini-game registry.
  static void DeleteInstance();

  str GetCurrentSceneId() const { return mSceneId; }
  str GetCurrentWorldId() const { return mWorldId; }
  const str& GetWorldDirectory() const { return mWorldDir; }
  int GetStateIndex() const { return mStateIndex; }

  // The n-th child (0-based) of scene/states of the current scene document,
  // or null.
  TXmlNode* GetSceneStateNode(int n) const;
  TXmlNode* GetCurrentStateNode() const { return GetSceneStateNode(mStateIndex); }

  // Whether the current world's list (or the common scenes) names the scene.
  bool HasScene(const str& sceneId) const;
  // Moves to another scene of the current world and asks the game window to
  // rebuild on its next tick. A scene no list names is refused with a
  // message: nothing changes and false is returned.
  bool SetCurrentScene(const str& sceneId);
  // SetCurrentScene, then the scene on screen fades out.
  bool GoToScene(const str& sceneId);
  // Enters another world at its default scene and sends "world_enter"; the
  // caller asks for the rebuild. A world without a destinations entry is
  // refused with a message.
  bool GoToWorld(const str& worldId);

  // Re-chooses the state. When it changed, the game window is asked for a
  // change of state (transition 4) and the scene on screen pauses. While no
  // scene exists yet (a variable set during a build) the new index is kept
  // and the request stands, so the window rebuilds once the scene is there.
  void OnFlagChanged() override;

  // "current_world" and "current_scene", each with "id".
  void Save(TXmlNode* node) const;
  // Whether a load of the save `node` would build a scene: it names a world
  // with a destination and a scene that world lists, and the state its game
  // variables choose there has a builder. Nothing changes; a refusal is
  // reported.
  bool CanLoad(const TXmlNode* node) const;
  // Reads them back without telling the timers, sending events or touching
  // the game window. A world or scene the documents do not hold is reported
  // and the part that is known stays; false then.
  bool Load(TXmlNode* node);

  bool IsThroughSpaceWorld() const;
  bool IsThroughTimeWorld() const;
  // In world "vethra", the digits at positions 0, 2 and 4 of the scene id;
  // null elsewhere and for an id too short to hold them.
  std::unique_ptr<OVethraCoords> GetVethraSceneCoords() const;

  // Not owned; the game window sets itself in its Init.
  void SetGameWindow(GGameWnd* wnd) { mGameWnd = wnd; }
  GGameWnd* GetGameWindow() const { return mGameWnd; }

  // The first state-condition entry all of whose conditions match the game
  // variables; 0 with fewer than two entries or when none matches.
  int ChooseStateIndex() const;
  // The same for given conditions and variables.
  static int ChooseStateIndex(const std::vector<OGameConfig::StateConditions>& entries,
                              const std::map<str, str>& values);

 private:
  OGame();
  ~OGame() override;
  OGame(const OGame&) = delete;
  OGame& operator=(const OGame&) = delete;

  // Sets world id, directory and documents; the scene becomes the world's
  // default. False when the world has no destinations entry.
  bool EnterWorld(const str& worldId);
  bool LocationsHold(const char* kind) const;

  str mSceneId;
  str mWorldDir;
  str mWorldId;
  OGameConfig* mConfig = nullptr;
  GGameWnd* mGameWnd = nullptr;
  int mStateIndex = 0;
  static OGame* sInstance;
};
