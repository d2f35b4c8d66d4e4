#include "GCatapultScene.h"

#include "game/GGameWnd.h"
#include "game/OGame.h"
#include "game/OMinigameRegistry.h"
#include "minigames/catapult/GCatapultPanel.h"
#include "sdk/TButton.h"
#include "sdk/TReport.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "visual/GVObjectWrapper.h"
#include "visual/LuaUtils.h"

namespace {
bool Held(const TButton* button) {
  return button && button->IsHeld();
}

TButton* ButtonOf(TWindow* panel, const char* name) {
  return panel ? WindowCast<TButton>(panel->GetChildWindow(name)) : nullptr;
}
}  // namespace

GMiniGameScene* NewCatapultScene() {
  return new GCatapultScene();
}

GCatapultScene::GCatapultScene() : mField(this, &GetRandom(), &GetDrawList()) {
  mOverlay = new TWindow();
  mOverlay->SetWindowSize(800, 600);
  mWrapper = new GVObjectWrapper();
  mWrapper->SetWindowSize(800, 600);
  mWrapper->client = this;
  GetSceneLayer()->AdoptChild(mOverlay);
  GetSceneLayer()->AdoptChild(mWrapper);
}

GCatapultScene::~GCatapultScene() {
  // The wrapper dies with the window tree; it must not draw a dying scene.
  mWrapper->client = nullptr;
}

void GCatapultScene::Init(TWindowStyle& style) {
  StartWindowAnimation(16, true, true, false);
  PutAwayHeldItem();
  mLuaPanel = LoadWindowFromScript("scripts/catapult.lua", "panel");
  if (mLuaPanel)
    GetSceneLayer()->AdoptChild(mLuaPanel);
  else
    Report("catapult: scripts/catapult.lua gives no \"panel\"; the game is steered by the keys alone");
  TXmlNode* config = mConfig;
  if (TXmlNode* exits = config ? config->GetChild("exit_scene_id") : nullptr) {
    mWinScene = exits->GetAttribute("win");
    mLostScene = exits->GetAttribute("lost");
  }
  if (TXmlNode* flag = config ? config->GetChild("win_flag") : nullptr) {
    mWinFlag = flag->GetAttribute("flag_name");
    mWinValue = flag->GetAttribute("flag_value");
  }
  if (TXmlNode* flag = config ? config->GetChild("lose_flag") : nullptr) {
    mLoseFlag = flag->GetAttribute("flag_name");
    mLoseValue = flag->GetAttribute("flag_value");
  }
  mAimingPanel = mLuaPanel ? WindowCast<GCatapultPanel>(mLuaPanel->GetChildWindow("forrotate")) : nullptr;
  mField.Load(config ? config->GetChild("field") : nullptr, mAimingPanel);
  mUp = ButtonOf(mLuaPanel, "btn_up");
  mDown = ButtonOf(mLuaPanel, "btn_down");
  mLeft = ButtonOf(mLuaPanel, "btn_left");
  mRight = ButtonOf(mLuaPanel, "btn_right");
  if (TXmlNode* saved = OMinigameRegistry::GetInstance()->GetNode("catapult")) {
    // A restored game runs at once, without its tutorial.
    mField.Restore(saved);
    return;
  }
  mField.StartNew();
  if (ReadTutorial(config)) Pause();
}

bool GCatapultScene::OnTaskAnimate() {
  // Whatever resumes a scene in its fade-out, the game is over.
  if (IsPaused() || IsFinished()) return true;
  mButtonMoved = false;
  GCatapultCursor& cursor = mField.GetCursor();
  // "btn_up" brings the aim nearer the shore: down the screen.
  if (Held(mUp)) {
    mButtonMoved = true;
    cursor.MoveDown();
  } else if (Held(mDown)) {
    cursor.MoveUp();
    mButtonMoved = true;
  }
  if (Held(mLeft)) {
    cursor.MoveLeft();
    mButtonMoved = true;
  } else if (Held(mRight)) {
    cursor.MoveRight();
    mButtonMoved = true;
  } else if (!mField.WasMovedByKey()) {
    cursor.ResetSpeedX();
    cursor.ResetSpeedY();
  }
  mField.Update(mButtonMoved);
  if (mAimingPanel && mAimingPanel->IsClicked()) {
    mAimingPanel->ClearClicked();
    GGameWnd* wnd = OGame::GetInstance()->GetGameWindow();
    GScene* current = wnd ? wnd->GetCurrentScene() : nullptr;
    if (wnd && current && !current->IsPaused()) wnd->ShowLocalMenu();
  }
  TWindowManager::GetInstance()->InvalidateScreen();
  return true;
}

void GCatapultScene::Update() {
  GMiniGameScene::Update();
  TickTutorial();
}

void GCatapultScene::Pause() {
  GScene::Pause();
}

void GCatapultScene::Resume() {
  // The ships must not sail before the lesson has been read.
  if (WaitsForLesson()) return;
  GScene::Resume();
}

void GCatapultScene::AttachPanel(GGamePanel* panel) {
  mPanel = panel;
}

void GCatapultScene::OnGameKeyDown(char key, unsigned flags) {
  if (IsPaused() || IsFinished()) return;
  mField.OnKeyDown(static_cast<unsigned char>(key));
}

void GCatapultScene::OnGameKeyUp(char key) {
  if (IsPaused()) return;
  mField.OnKeyUp(static_cast<unsigned char>(key));
}

void GCatapultScene::WriteState(TXmlNode* node) {
  mField.Save(node);
}

void GCatapultScene::DescribeState(TXmlNode* node) {
  WriteState(node);
  GVObject* catapult = mField.GetCursor().GetCatapultObject();
  node->SetAttribute("catapult", catapult ? catapult->GetState().ToStr() : str());
  const std::vector<GCatapultShip*>& ships = mField.GetShips();
  TXmlNode* saved = node->GetChild("ships");
  for (size_t i = 0; saved && i < ships.size() && i < saved->GetChildCount(); ++i) {
    GVObject* visual = ships[i]->GetVisual();
    saved->GetChildAt(i)->SetAttribute("visual", visual ? visual->GetId() : str());
  }
  GVObject* splash = mField.GetSplash() ? mField.GetSplash()->GetChild("main") : nullptr;
  if (!splash) return;
  TXmlNode* look = node->CreateChild("splash");
  look->SetAttribute("state", splash->GetState().ToStr());
  look->SetAttribute("x", str::format("%f", splash->deltaX));
  look->SetAttribute("y", str::format("%f", splash->deltaY));
  look->SetAttribute("z", str::format("%f", splash->deltaZ));
}

void GCatapultScene::AdoptOverlayChild(TWindow* child) {
  if (child) mOverlay->AdoptChild(child);
}

void GCatapultScene::Finish(bool won) {
  // The catapult gives no item; its end is otherwise every game's.
  if (won)
    FinishWith(GetRegistryName(), str(), mWinFlag, mWinValue, mWinScene);
  else
    FinishWith(GetRegistryName(), str(), mLoseFlag, mLoseValue, mLostScene);
}
