#include "ODialogItem.h"

#include "game/GFullScreenGameScene.h"
#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OItemMask.h"
#include "game/OMousePointerManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "sdk/TImage.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TStringTable.h"
#include "sdk/TText.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "sdk/TXmlNode.h"
#include "tools/GFrontItemHolder.h"
#include "visual/GVXmlLoaders.h"

namespace {
const char* const kClickMask = "all_scene";
const char* const kPlayerBubbleTexture = "windows/gamescreen/back_for_text_down.png";
const char* const kInterlocutorBubbleTexture = "windows/gamescreen/back_for_text_up.png";
const int kTextHeight = 108;
// Set once the figure fell silent, so that it does not fall silent again.
const int32_t kSilenced = -100000000;

TImage* MakeBubble(TXmlNode* pos, const char* texture) {
  TImage* bubble = new TImage();
  bubble->SetTexture(TTexture::Get(texture));
  if (pos) bubble->SetWindowPos(pos->GetAttribute("x").to_int(), pos->GetAttribute("y").to_int());
  return bubble;
}

// A phrase text window: `prefix` "my_" for the player's, "his_" for the
// interlocutor's, each with its width, place and Lua style table.
TText* MakeText(TXmlNode* dialog, const str& prefix, GFrontItemHolder* holder) {
  TText* text = new TText();
  if (holder) holder->AdoptChild(text);
  if (!dialog) return text;
  text->SetWindowSize(dialog->GetAttribute(prefix + "default_width").to_int(), kTextHeight);
  str table = dialog->GetAttribute(prefix + "table");
  TScript* script = table.empty() ? nullptr : TWindowManager::GetInstance()->GetScript();
  TWindowStyle style(script ? script->GetGlobalTable(table) : TLuaTableRef());
  text->Init(style);
  text->SetWindowPos(dialog->GetAttribute(prefix + "default_x").to_int(),
                     dialog->GetAttribute(prefix + "default_y").to_int());
  return text;
}

void Orphan(TWindow* window) {
  if (window && window->GetParent()) window->GetParent()->OrphanChild(window);
}
}  // namespace

ODialogItem::~ODialogItem() {
  ReleaseWindows();
  if (mClickMask && mClickMask->GetItem() == this) mClickMask->SetItem(nullptr);
  delete mResultAction;
  delete mPlayerText;
  delete mInterlocutorText;
  delete mBackground;
}

int32_t ODialogItem::SlideCoordinate(int32_t from, int32_t to, int32_t step, int32_t steps) {
  return from + (to - from) * step / steps;
}

ODialogItem* ODialogItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner,
                                        TWindow* backgroundLayer, GFrontItemHolder* frontHolder) {
  if (!node) return nullptr;
  const str guide = OItemFactory::GetGuidePath();
  TXmlNode* bg = node->GetChild("bg");
  TImage* background = bg ? LoadImageFromXml(bg) : nullptr;
  if (!background) {
    Report("%s: dialog \"%s\" has no bg; it plays without its panel", guide.c_str(), name.c_str());
    background = new TImage();
  }
  TImage* playerBubble = MakeBubble(node->GetChild("my_phrases_back_pos"), kPlayerBubbleTexture);
  TImage* interlocutorBubble =
      MakeBubble(node->GetChild("interlocutor_phrases_back_pos"), kInterlocutorBubbleTexture);
  if (backgroundLayer) backgroundLayer->AdoptChild(background);
  OItemMask* clickMask = FindItemMask(owner ? owner->GetMasksManager() : nullptr, kClickMask);

  TXmlNode* gvobject = node->GetChild("gvobject");
  ODialogItem* item = new ODialogItem(name, owner, gvobject ? gvobject->GetContent() : str(),
                                      gvobject ? gvobject->GetAttribute("name") : str());
  item->mBackground = background;
  item->mBackgroundLayer = backgroundLayer;
  item->mPlayerBubble = playerBubble;
  item->mInterlocutorBubble = interlocutorBubble;
  item->mFrontHolder = frontHolder;
  if (clickMask) {
    clickMask->SetItem(item);
    item->mClickMask = clickMask;
  }

  if (gvobject) item->mInitialState = gvobject->GetAttribute("initial_state");
  TXmlNode* dialog = node->GetChild("dialog");
  str defaultDelay = dialog ? dialog->GetAttribute("default_delay") : str();
  for (size_t i = 0; dialog && i < dialog->GetChildCount(); ++i) {
    TXmlNode* child = dialog->GetChildAt(i);
    ODialogPhrase phrase;
    phrase.text = child->GetContent();
    phrase.mine = child->GetAttribute("my") == "true";
    phrase.emotion = child->GetAttribute("emotion");
    str delay = child->GetAttribute("delay");
    phrase.delay = (delay.empty() ? defaultDelay : delay).to_int();
    item->mPhrases.push_back(phrase);
  }

  // The slide length divides the panel's path.
  item->mSlideLength = node->GetChildContent("num_anim_frames").to_int();
  if (item->mSlideLength < 1) {
    Report("%s: dialog \"%s\": num_anim_frames must be at least 1; 1 is used", guide.c_str(), name.c_str());
    item->mSlideLength = 1;
  }
  // It starts wholly above the screen's top and rests where "bg" puts it.
  item->mEndX = background->GetX();
  item->mEndY = background->GetY();
  item->mStartX = item->mEndX;
  item->mStartY = -background->GetHeight();

  item->mBubbleWindow = new TWindow();
  item->mBubbleWindow->SetWindowSize(800, 600);
  if (frontHolder) frontHolder->AdoptChild(item->mBubbleWindow);
  item->mPlayerText = MakeText(dialog, "my_", frontHolder);
  item->mInterlocutorText = MakeText(dialog, "his_", frontHolder);

  if (TXmlNode* action = node->GetChild("result_action"))
    item->mResultAction = OActionFactory::CreateAction(action, owner ? owner->GetMasksManager() : nullptr);
  item->mStartDelay = node->GetAttribute("start_delay").to_int();
  item->mResultItem = node->GetChildContent("result_item");
  return item;
}

IItem* ODialogItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  GFullScreenGameScene* scene = owner ? owner->GetScene() : nullptr;
  return CreateFromXml(name, node, owner, scene ? scene->GetBackgroundLayer() : nullptr,
                       scene ? scene->GetFrontItemHolder() : nullptr);
}

void ODialogItem::CreateObject() {
  IItem::CreateObject();
  if (mOwner) mOwner->ShowFrontItem(this);
  if (mObject) mObject->SetState(TState::FromStr(mInitialState), true);
  mPhase = kWaiting;
  mCounter = 0;
  PlaceBackground(mStartX, mStartY);
  ShowFigure(false);
}

bool ODialogItem::OnMaskClick(IMask* mask) {
  if (!mask || mask != mClickMask) return false;
  if (mPhase == kTalking) NextPhrase();
  return true;
}

void ODialogItem::Update() {
  switch (mPhase) {
    case kWaiting:
      if (++mCounter >= mStartDelay) {
        mPhase = kSlidingIn;
        mCounter = 0;
        PlaceBackground(mStartX, mStartY);
        ShowFigure(false);
      }
      break;
    case kSlidingIn:
      ++mCounter;
      PlaceBackground(SlideCoordinate(mStartX, mEndX, mCounter, mSlideLength),
                      SlideCoordinate(mStartY, mEndY, mCounter, mSlideLength));
      if (mCounter >= mSlideLength) {
        mPhase = kTalking;
        mCounter = 0;
        ShowFigure(true);
        NextPhrase();
      }
      break;
    case kTalking: {
      // Only the interlocutor falls silent; the player's phrases wait.
      if (mCurrentPhrase < 0 || mCurrentPhrase >= int32_t(mPhrases.size())) break;
      const ODialogPhrase& phrase = mPhrases[mCurrentPhrase];
      if (phrase.mine) break;
      if (++mCounter > phrase.delay) {
        mCounter = kSilenced;
        if (mObject) mObject->SetState(TState::FromCStr("silent"), true);
      }
      break;
    }
    case kSlidingOut:
      ++mCounter;
      PlaceBackground(SlideCoordinate(mStartX, mEndX, mSlideLength - mCounter, mSlideLength),
                      SlideCoordinate(mStartY, mEndY, mSlideLength - mCounter, mSlideLength));
      if (mCounter >= mSlideLength) Finish();
      break;
    case kFinished:
      break;
  }
}

void ODialogItem::NextPhrase() {
  OrphanBubbles();
  ++mCurrentPhrase;
  if (mCurrentPhrase >= int32_t(mPhrases.size())) {
    EndTalk();
    return;
  }
  const ODialogPhrase& phrase = mPhrases[mCurrentPhrase];
  str text;
  TPlatform* platform = TPlatform::GetInstance();
  if (!phrase.text.empty() && platform) text = platform->GetStringTable()->GetString(phrase.text);
  (phrase.mine ? mPlayerText : mInterlocutorText)->SetText(text);
  (phrase.mine ? mInterlocutorText : mPlayerText)->SetText(str());
  if (mBubbleWindow) mBubbleWindow->AdoptChild(phrase.mine ? mPlayerBubble : mInterlocutorBubble);
  if (mObject) mObject->SetState(TState::FromStr(phrase.emotion), true);
  mCounter = 0;
}

void ODialogItem::EndTalk() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (!mResultItem.empty() && pointer && pointer->GetManager()) {
    // Whatever the player held is gone: the result takes its place.
    pointer->GetManager()->ConsumeHeldItem();
    if (IItem* result = OItemFactory::CreateForPointer(mResultItem, mOwner)) {
      result->CreateObject();
      pointer->HoldItem(result);
    } else {
      Report("%s: dialog \"%s\": result item \"%s\" cannot be made; the hand stays empty",
             OItemFactory::GetGuidePath().c_str(), mName.c_str(), mResultItem.c_str());
    }
  }
  mPhase = kSlidingOut;
  mCounter = 0;
  mPlayerText->SetText(str());
  mInterlocutorText->SetText(str());
  PlaceBackground(mEndX, mEndY);
  ShowFigure(false);
}

void ODialogItem::Finish() {
  mPhase = kFinished;
  mCounter = 0;
  PlaceBackground(mStartX, mStartY);
  ShowFigure(false);
  // Finished, the dialog stands no longer in front: the scene plays again,
  // saves and opens its menu, before the result action may take it away.
  GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  if (scene && scene->GetFrontItemHolder()->mItem == this) {
    mOwner->ClearFrontItem();
    scene->SetInteractionMode(GFullScreenGameScene::kPlay);
  }
  if (mResultAction) mResultAction->Execute();
}

void ODialogItem::PlaceBackground(int32_t x, int32_t y) {
  if (mBackground) mBackground->SetWindowPos(x, y);
}

void ODialogItem::ShowFigure(bool shown) {
  if (!mObject) return;
  mObject->visible = shown ? 1 : 0;
  mObject->changed = 1;
}

void ODialogItem::OrphanBubbles() {
  if (!mBubbleWindow) return;
  for (TWindow* bubble : {static_cast<TWindow*>(mPlayerBubble), static_cast<TWindow*>(mInterlocutorBubble)})
    if (bubble && bubble->GetParent() == mBubbleWindow) mBubbleWindow->OrphanChild(bubble);
}

void ODialogItem::Detach() {
  GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  if (scene && scene->GetFrontItemHolder()->mItem == this) mOwner->ClearFrontItem();
  ReleaseWindows();
  if (mClickMask && mClickMask->GetItem() == this) mClickMask->SetItem(nullptr);
  mClickMask = nullptr;
}

void ODialogItem::ReleaseWindows() {
  OrphanBubbles();
  Orphan(mPlayerText);
  Orphan(mInterlocutorText);
  delete mBubbleWindow;
  delete mPlayerBubble;
  delete mInterlocutorBubble;
  mBubbleWindow = nullptr;
  mPlayerBubble = mInterlocutorBubble = nullptr;
  mFrontHolder = nullptr;
  Orphan(mBackground);
  mBackgroundLayer = nullptr;
}
