#include "GTutorialGameScene.h"

#include <algorithm>

#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "items/OMatchesBoxItem.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "visual/GVFactory.h"
#include "visual/GVObjectWrapper.h"

const char* const GTutorialGameScene::kTutorialBox = "living_room_tutorial_matches_box";

namespace {
// Whether the variable that game_screen/tutorial/<element> names has the
// value it gives; `absent` when the configuration has no such element.
bool TutorialFlagHolds(const char* element, bool absent) {
  TXmlNode* tutorial = OGameConfig::GetInstance()->GetGameScreenChild("tutorial");
  TXmlNode* flag = tutorial ? tutorial->GetChild(element) : nullptr;
  if (!flag) return absent;
  return OFlagsRegistry::GetInstance()->GetValue(flag->GetAttribute("name")) == flag->GetAttribute("value");
}
}  // namespace

GTutorialGameScene::GTutorialGameScene(TXmlNode* topObjects, const std::vector<int>& cells)
    : mTopObjectsNode(topObjects), mCells(cells) {}

GTutorialGameScene::~GTutorialGameScene() {
  DetachPanel();
  for (GVObject* object : mTopObjects) delete object;
  mTopObjects.clear();
}

void GTutorialGameScene::Init(TWindowStyle& style) {
  GInventoryGameScene::Init(style);
  for (size_t i = 0; mTopObjectsNode && i < mTopObjectsNode->GetChildCount(); ++i) {
    TXmlNode* child = mTopObjectsNode->GetChildAt(i);
    GVObject* object =
        GVFactory::GetInstance()->CreateInList(&mTopDrawList, "anim/", child->GetAttribute("name"));
    if (!object) continue;
    mTopObjects.push_back(object);
    object->deltaX = child->GetAttribute("x").to_float();
    object->deltaY = child->GetAttribute("y").to_float();
    object->changed = 1;
  }
  mTimeRuns = !TutorialFlagHolds("notimer_flag", false);
}

void GTutorialGameScene::Update() {
  if (mTimeRuns) GInventoryGameScene::Update();
}

void GTutorialGameScene::AttachPanel(GGamePanel* panel) {
  GInventoryGameScene::AttachPanel(panel);
  if (mTopWrapper) return;
  mTopWrapper = new GVObjectWrapper();
  mTopWrapper->SetWindowSize(800, 600);
  mTopWrapper->client = this;
  // After the panel, so the top objects draw over it.
  mPanelLayer->AdoptChild(mTopWrapper);
}

void GTutorialGameScene::DetachPanel() {
  if (mTopWrapper) {
    if (mTopWrapper->GetParent()) mTopWrapper->GetParent()->OrphanChild(mTopWrapper);
    delete mTopWrapper;
    mTopWrapper = nullptr;
  }
  GInventoryGameScene::DetachPanel();
}

void GTutorialGameScene::Resume() {
  GInventoryGameScene::Resume();
  GMousePointer* pointer = GMousePointer::GetInstance();
  pointer->SetInGameMode(true);
  if (OMousePointerManager* manager = pointer->GetManager()) manager->Tick();
  TWindowManager::GetInstance()->InvalidateScreen();
}

bool GTutorialGameScene::OnExtendedMouseEvent(const TPoint& point, int event) {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  IItem* held = pointer ? pointer->GetHeldItem() : nullptr;
  if (held && held->GetName() == kTutorialBox) {
    // Only a real box can be burning; anything else of that name counts as
    // a box at rest.
    OMatchesBoxItem* box = dynamic_cast<OMatchesBoxItem*>(held);
    bool burning = box && box->GetMatchMode() != 0;
    if (!TutorialFlagHolds(burning ? "allow_to_turn_off_match_flag" : "allow_to_burn_match_flag", true))
      return true;
  }
  return GInventoryGameScene::OnExtendedMouseEvent(point, event);
}

bool GTutorialGameScene::CanUseItem(int cell) {
  return std::find(mCells.begin(), mCells.end(), cell) != mCells.end();
}

void GTutorialGameScene::DrawObjects(TWindow* wrapper) {
  if (wrapper && wrapper == mTopWrapper)
    mTopDrawList.Draw();
  else
    GInventoryGameScene::DrawObjects(wrapper);
}
