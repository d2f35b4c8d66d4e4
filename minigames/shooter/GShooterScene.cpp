#include "GShooterScene.h"

#include "game/GMousePointer.h"
#include "game/OMinigameRegistry.h"
#include "game/OMousePointerManager.h"
#include "sdk/TRenderer.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "visual/GVDrawList.h"
#include "visual/GVObject.h"
#include "visual/GVObjectWrapper.h"

namespace {
const char* const kShooterRegistryChild = "shooter";
const char* const kShooterImageFolder = "anim/minigames/shooter/";

void ShowPointer(bool shown) {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetVisible(shown);
}

str Centre(float a, float b) {
  return str::format("%.0f", (a + b) / 2);
}

// The centres of the objects' "main" parts, on the entries of the saved list.
void DescribeCentres(TXmlNode* section, const std::vector<GVObject*>& objects) {
  for (size_t i = 0; section && i < section->GetChildCount() && i < objects.size(); ++i) {
    GVObject* main = objects[i]->GetChild("main");
    if (!main) main = objects[i];
    main->UpdateData();
    GVRectF r = main->GetFrameRect();
    section->GetChildAt(i)->SetAttribute("x", Centre(r.left, r.right));
    section->GetChildAt(i)->SetAttribute("y", Centre(r.top, r.bottom));
  }
}
}  // namespace

GMiniGameScene* NewShooterScene() {
  return new GShooterScene();
}

GShooterScene::GShooterScene() {
  mPanelLayer = NewLayer();
  GetSceneLayer()->AdoptChild(mPanelLayer);
}

GShooterScene::~GShooterScene() {
  ShowPointer(true);
  // Here, not in the base's destructor: the panel's parent is the panel
  // layer, which dies with this scene and would take the panel along.
  DetachPanel();
}

void GShooterScene::Init(TWindowStyle& style) {
  StartWindowAnimation(16, true, true, false);
  PutAwayHeldItem();
  if (OMousePointerManager* hand = GMousePointer::PeekManager()) hand->MoveTo(800, 600);
  TWindowManager::GetInstance()->InvalidateScreen();
  ShowPointer(false);
  ReadExits();
  mField.Load(mConfig ? mConfig->GetChild("field") : nullptr, this, &GetRandom(), &GetDrawList(),
              kShooterImageFolder);
  TWindow::Init(style);
  if (TXmlNode* saved = OMinigameRegistry::GetInstance()->GetNode(kShooterRegistryChild)) {
    mField.Restore(saved);
    return;
  }
  if (ReadTutorial(mConfig)) Pause();
}

void GShooterScene::PostDraw() {
  const TSpriteRef& overlay = mField.GetOverlay();
  if (!overlay) return;
  T2dScope pass;
  overlay->Draw(MakeDrawSpec(TVec2(400, 300), mField.GetOverlayAlpha(), mField.GetScale()));
}

bool GShooterScene::OnMouseDown(const TPoint& point) {
  // Only while the scene plays: the end acts only then, so a last bullet
  // fired during the fade-in would leave a game that can never end. Nor
  // before the lesson, which holds the game still until it opens.
  if (!IsFinished() && GetState() == kActive && !WaitsForLesson()) mField.Shoot();
  return true;
}

bool GShooterScene::OnMouseMove(const TPoint& point) {
  mField.GetGun().SetBase(point.x, point.y);
  return true;
}

void GShooterScene::Update() {
  GMiniGameScene::Update();
  mField.Update();
  TickTutorial();
}

void GShooterScene::AttachPanel(GGamePanel* panel) {
  mPanel = panel;
  if (mPanel) mPanelLayer->AdoptChild(mPanel);
}

void GShooterScene::DetachPanel() {
  if (mPanel) mPanel->Release(this, mPanelLayer);
  GMiniGameScene::DetachPanel();
}

void GShooterScene::Pause() {
  ShowPointer(true);
  GMiniGameScene::Pause();
}

void GShooterScene::Resume() {
  ShowPointer(false);
  GMiniGameScene::Resume();
}

void GShooterScene::Finish(bool won) {
  if (GetState() != kActive) return;
  if (won)
    FinishWith(kShooterRegistryChild, mExitItem, mWinFlagName, mWinFlagValue, mWinScene);
  else
    FinishWith(kShooterRegistryChild, str(), mLoseFlagName, mLoseFlagValue, mLostScene);
}

void GShooterScene::WriteState(TXmlNode* node) {
  mField.Save(node);
}

void GShooterScene::DescribeState(TXmlNode* node) {
  WriteState(node);
  DescribeCentres(node->GetChild("goals"), mField.GetGoals());
  DescribeCentres(node->GetChild("envs"), mField.GetEnvironments());
  TXmlNode* bullets = node->CreateChild("bullets");
  for (GVObject* bullet : mField.GetBullets()) {
    GVObject* main = bullet->GetChild("main");
    bullets->CreateChild("bullet")->SetAttribute("s", (main ? main : bullet)->GetState().ToStr());
  }
  GShooterGun& gun = mField.GetGun();
  node->SetAttribute("sight_x", str::format("%d", gun.GetShotX()));
  node->SetAttribute("sight_y", str::format("%d", gun.GetShotY()));
}
