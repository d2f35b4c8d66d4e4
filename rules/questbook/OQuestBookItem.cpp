#include "OQuestBookItem.h"

#include <algorithm>
#include <initializer_list>

#include "OQuestBookPage.h"
#include "game/GFullScreenGameScene.h"
#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OItemMask.h"
#include "game/OSoundManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"

const char* const OQuestBookItem::kCoverFlag = "shown_quest_book_cover_animation";
const char* const OQuestBookItem::kOpenedFlag = "opened_basement_quest_book";

namespace {
const char* const kCoverCompleted = "completed";
const char* const kLeftMaskId = "mask_left_page";
const char* const kRightMaskId = "mask_right_page";
// The pointer's looks the book asks for: plain, or the page-turning one.
enum { kPointerPlain = 0, kPointerTurn = 6 };

void ReadPoint(TXmlNode* node, int* x, int* y) {
  if (!node) return;
  *x = node->GetAttribute("x").to_int();
  *y = node->GetAttribute("y").to_int();
}

TState StateOf(const char* name) {
  return TState::FromCStr(name);
}
}  // namespace

OQuestBookItem::OQuestBookItem(const str& name, IItemsManager* owner, const str& visualFolder,
                               const str& visualPath)
    : OItem(name, owner, visualFolder, visualPath) {}

OQuestBookItem::~OQuestBookItem() {
  UnlinkMasks();
  for (OQuestBookPage* sheet : mSheets) delete sheet;
  delete mCover;
}

IItem* OQuestBookItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  if (!node) return nullptr;
  TXmlNode* gvobject = node->GetChild("gvobject");
  OQuestBookItem* book = new OQuestBookItem(name, owner, gvobject ? gvobject->GetContent() : str(),
                                            gvobject ? gvobject->GetAttribute("name") : str());
  book->SetCaptionKey(node->GetAttribute("caption"));
  if (TXmlNode* masks = node->GetChild("masks")) {
    for (size_t i = 0; i < masks->GetChildCount(); ++i) {
      TXmlNode* mask = masks->GetChildAt(i);
      str id = mask->GetAttribute("id");
      if (id == kLeftMaskId) book->mLeftMaskName = mask->GetContent();
      if (id == kRightMaskId) book->mRightMaskName = mask->GetContent();
    }
  }
  if (TXmlNode* pages = node->GetChild("pages"))
    for (size_t i = 0; i < pages->GetChildCount(); ++i) book->mPages.push_back(pages->GetChildAt(i));
  book->mSheets.assign(book->mPages.size(), nullptr);
  if (TXmlNode* turn = node->GetChild("turn_cfg")) {
    book->mTurnTicks = turn->GetAttribute("num_turning_ticks").to_int();
    book->mMaxSkew = turn->GetAttribute("max_skew").to_float();
  }
  book->mTurningParticle = node->GetChild("turning_particle");
  book->mAppearEffects = node->GetChild("content_appear_effects");
  if (book->mAppearEffects) book->mAppearTicks = book->mAppearEffects->GetAttribute("num_ticks").to_int();
  book->mFrontTexture = LoadTextureFromXml(node->GetChild("front_empty_page_texture"));
  book->mBackTexture = LoadTextureFromXml(node->GetChild("back_empty_page_texture"));
  ReadPoint(node->GetChild("default_front_pos"), &book->mFrontX, &book->mFrontY);
  ReadPoint(node->GetChild("default_back_pos"), &book->mBackX, &book->mBackY);
  ReadPoint(node->GetChild("pos"), &book->mX, &book->mY);
  if (TXmlNode* cover = node->GetChild("cover_anim")) {
    book->mCoverPath = cover->GetAttribute("name");
    ReadPoint(cover, &book->mCoverX, &book->mCoverY);
  }
  book->mCoverParticles = node->GetChild("cover_particles");

  // The open position comes from save data: kept within the sheets there are.
  int32_t cur = 0;
  OItemsRegistry::GetInstance()->GetState(name, 0, &cur);
  int last = book->GetSheetCount();
  book->mCur = std::max(0, std::min(int(cur), last));
  if (book->mCur != cur)
    Report("items_registry: the quest book \"%s\" was open at %d of %d sheets; it opens at %d", name.c_str(),
           int(cur), last, book->mCur);
  return book;
}

bool OQuestBookItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OQuestBookItem || OItem::IsKindOf(typeId);
}

// ---- the visual ----

void OQuestBookItem::CreateObject() {
  IItem::CreateObject();
  if (OFlagsRegistry::GetInstance()->GetValue(kCoverFlag) != kCoverCompleted) CreateCover();
  if (mObject) {
    mObject->SetState(StateOf("stNone"), true);
    mObject->deltaX = float(mX);
    mObject->deltaY = float(mY);
    mObject->changed = 1;
  }

  UnlinkMasks();
  GMasksManager* masks = mOwner ? mOwner->GetMasksManager() : nullptr;
  mLeftMask = FindItemMask(masks, mLeftMaskName);
  mRightMask = FindItemMask(masks, mRightMaskName);
  if (mLeftMask) mLeftMask->SetItem(this);
  if (mRightMask) mRightMask->SetItem(this);

  for (int i = 0; i < GetSheetCount(); ++i) {
    if (i != mCur && i != mCur - 1 && i != 0) continue;
    OQuestBookPage* sheet = MakeSheet(i);
    while (!sheet->IsBuilt()) sheet->Animate();
  }
  mAutoTurn = 1;
}

void OQuestBookItem::CreateCover() {
  delete mCover;
  mCover = CreateVisual(mVisualFolder, mCoverPath, &mCoverList);
  GVObject* main = mCover ? mCover->GetChild("main") : nullptr;
  if (!main) {
    // A cover that cannot play would keep the book shut for ever: this visit
    // goes without it, and the next one tries again.
    Report("%s: quest book \"%s\": cover \"%s\" %s; the book opens without it",
           OItemFactory::GetGuidePath().c_str(), mName.c_str(), mCoverPath.c_str(),
           mCover ? "has no object \"main\"" : "cannot be made");
    delete mCover;
    mCover = nullptr;
    return;
  }
  mCover->SetState(StateOf("0"), true);
  mCover->deltaX = float(mCoverX);
  mCover->deltaY = float(mCoverY);
  mCover->visible = 1;
  mCover->changed = 1;
  main->listener = this;
}

bool OQuestBookItem::IsCoverCompleted() const {
  return !mCover || OFlagsRegistry::GetInstance()->GetValue(kCoverFlag) == kCoverCompleted;
}

void OQuestBookItem::OnStateEnd(GVObject* object, TState state) {
  GVObject* main = mCover ? mCover->GetChild("main") : nullptr;
  if (!main || object != main) return;
  if (state == StateOf("1")) {
    for (size_t i = 0; mCoverParticles && i < mCoverParticles->GetChildCount(); ++i) {
      TXmlNode* particle = mCoverParticles->GetChildAt(i);
      if (mOwner)
        mOwner->AddParticleEffect(particle, particle->GetAttribute("x").to_float(),
                                  particle->GetAttribute("y").to_float(), false);
    }
    OSoundManager::GetInstance()->PlayQuestBookDiscover();
    mCover->SetState(StateOf("2"), true);
  } else if (state == StateOf("2")) {
    OFlagsRegistry::GetInstance()->SetValue(kCoverFlag, kCoverCompleted);
    mCover->SetState(StateOf("3"), true);
  }
}

void OQuestBookItem::Draw() {
  IItem::Draw();
  DrawPageStack(mSheets);
  mCoverList.Draw();
}

// ---- sheets and spreads ----

OQuestBookPage* OQuestBookItem::GetSheet(int index) const {
  return index >= 0 && index < GetSheetCount() ? mSheets[size_t(index)] : nullptr;
}

OQuestBookPage* OQuestBookItem::MakeSheet(int index) {
  if (index < 0 || index >= GetSheetCount()) return nullptr;
  OQuestBookPage*& sheet = mSheets[size_t(index)];
  if (sheet) return sheet;
  sheet = new OQuestBookPage(this, mPages[size_t(index)], mFrontTexture, mBackTexture, mFrontX, mFrontY,
                             mBackX, mBackY);
  sheet->SetTurning(mTurnTicks, mMaxSkew);
  sheet->LoadOffsets();
  // The title page always shows; other faces once their spread was read.
  sheet->SetContentVisible(index == 0 || GetSpreadState(index) == OMissionsManager::kPageRevealed,
                           GetSpreadState(index + 1) == OMissionsManager::kPageRevealed);
  sheet->SetTurnState(index < mCur ? OQuestBookPage::kBack : OQuestBookPage::kFront);
  return sheet;
}

int OQuestBookItem::GetSpreadState(int spread) const {
  return OMissionsManager::GetInstance()->GetPageState(spread);
}

bool OQuestBookItem::IsTurning() const {
  for (OQuestBookPage* sheet : mSheets) {
    if (!sheet) continue;
    int state = sheet->GetTurnState();
    if (state == OQuestBookPage::kTurningForward || state == OQuestBookPage::kTurningBack) return true;
  }
  return false;
}

bool OQuestBookItem::IsScenePaused() const {
  GFullScreenGameScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  return scene && scene->IsPaused();
}

// ---- the tick ----

void OQuestBookItem::Update() {
  if (IsScenePaused()) return;
  for (OQuestBookPage* sheet : mSheets) {
    if (sheet && !sheet->IsBuilt()) {
      sheet->Animate();
      return;
    }
  }
  if (!IsCoverCompleted()) {
    GVObject* main = mCover->GetChild("main");
    if (main && main->GetState() == StateOf("0")) mCover->SetState(StateOf("1"), true);
    return;
  }
  for (OQuestBookPage* sheet : mSheets)
    if (sheet) sheet->Animate();

  // The open spread, unlocked and unread, is revealed once both its faces rest.
  const int n = GetSheetCount();
  OQuestBookPage* left = GetSheet(mCur - 1);
  OQuestBookPage* right = GetSheet(mCur);
  const int rightState = right ? right->GetTurnState() : OQuestBookPage::kUnset;
  if (mCur >= 1 && GetSpreadState(mCur) == OMissionsManager::kPageUnlocked && left &&
      left->GetTurnState() == OQuestBookPage::kBack && (mCur == n || rightState == OQuestBookPage::kFront)) {
    if (!left->IsContentAppearing()) left->StartContentAppear();
    if (right && !right->IsContentAppearing()) right->StartContentAppear();
    mBusy = true;
    OMissionsManager::GetInstance()->SetPageState(mCur, OMissionsManager::kPageRevealed);
  }
  if (mBusy && (!left || !left->IsContentAppearing()) && (!right || !right->IsContentAppearing())) {
    mBusy = false;
    OnPageTurned();
  }

  if (mAutoTurn != 1 || IsTurning() || mBusy) return;
  int unread = -1;
  for (int i = 0; i < n && unread < 0; ++i)
    if (GetSpreadState(i) == OMissionsManager::kPageUnlocked) unread = i;
  if (unread >= 0 && !mAutoTurnIssued) {
    mAutoTurnIssued = true;
    if (mCur < unread)
      TurnForward();
    else
      TurnBack();
    return;
  }
  mAutoTurn = 0;
  OnPageTurned();
}

// ---- the turning rules ----

OQuestBookItem::Turn OQuestBookItem::ForwardTurn() const {
  const int n = GetSheetCount();
  if (mCur >= n || mBusy) return kRefused;
  if (GetSpreadState(mCur + 1) == OMissionsManager::kPageLocked) return kRefused;
  if (GetSpreadState(mCur) == OMissionsManager::kPageUnlocked) return kRefused;
  OQuestBookPage* sheet = GetSheet(mCur);
  if (!sheet || sheet->GetTurnState() != OQuestBookPage::kFront || sheet->IsContentAppearing())
    return kRefused;
  // A neighbouring sheet not made yet has nothing running.
  if (OQuestBookPage* left = GetSheet(mCur - 1))
    if (left->IsContentAppearing() || left->GetTurnState() == OQuestBookPage::kTurningBack) return kRefused;
  if (mCur == 0) return kSilentTurn;
  return GetSpreadState(mCur + 1) == OMissionsManager::kPageUnlocked ? kDiscoverSound : kTurnSound;
}

OQuestBookItem::Turn OQuestBookItem::BackwardTurn() const {
  if (mCur <= 1 || mBusy) return kRefused;
  if (GetSpreadState(mCur - 1) == OMissionsManager::kPageLocked) return kRefused;
  if (GetSpreadState(mCur) == OMissionsManager::kPageUnlocked) return kRefused;
  OQuestBookPage* sheet = GetSheet(mCur - 1);
  if (!sheet || sheet->GetTurnState() != OQuestBookPage::kBack || sheet->IsContentAppearing())
    return kRefused;
  if (OQuestBookPage* right = GetSheet(mCur))
    if (right->IsContentAppearing() || right->GetTurnState() == OQuestBookPage::kTurningForward)
      return kRefused;
  return kBackwardsSound;
}

void OQuestBookItem::TurnForward() {
  Turn turn = ForwardTurn();
  if (turn == kRefused) return;
  if (turn == kDiscoverSound)
    OSoundManager::GetInstance()->PlayQuestBookDiscover();
  else if (turn == kTurnSound)
    OSoundManager::GetInstance()->PlayQuestBookTurn();
  MakeSheet(mCur + 1);
  OFlagsRegistry::GetInstance()->SetValue(kOpenedFlag, "true");
  GetSheet(mCur)->SetTurnState(OQuestBookPage::kTurningForward);
  ++mCur;
  SaveState();
  OnMaskEnter(mRightMask);
}

void OQuestBookItem::TurnBack() {
  if (BackwardTurn() == kRefused) return;
  OSoundManager::GetInstance()->PlayQuestBookBackwardsTurn();
  MakeSheet(mCur - 2);
  GetSheet(mCur - 1)->SetTurnState(OQuestBookPage::kTurningBack);
  --mCur;
  SaveState();
  OnMaskEnter(mLeftMask);
}

// ---- masks and the pointer ----

bool OQuestBookItem::OnMaskClick(IMask* mask) {
  if (!IsCoverCompleted() || mAutoTurn == 1) return true;
  if (mask && mask == mRightMask)
    TurnForward();
  else if (mask && mask == mLeftMask)
    TurnBack();
  return true;
}

void OQuestBookItem::OnMaskEnter(IMask* mask) {
  if (mAutoTurn == 1) return;
  bool turns = false;
  if (mask && mask == mRightMask)
    turns = ForwardTurn() != kRefused;
  else if (mask && mask == mLeftMask)
    turns = BackwardTurn() != kRefused;
  SetPointerMode(turns ? kPointerTurn : kPointerPlain);
}

void OQuestBookItem::OnMaskLeave(IMask* mask) {
  SetPointerMode(kPointerPlain);
}

void OQuestBookItem::SetPointerMode(int mode) {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(mode);
}

void OQuestBookItem::OnPageTurned() {
  GMasksManager* masks = mOwner ? mOwner->GetMasksManager() : nullptr;
  IMask* active = masks ? masks->GetActiveMask() : nullptr;
  if (active && (active == mLeftMask || active == mRightMask)) OnMaskEnter(active);
}

void OQuestBookItem::ReleaseMask() {
  mLeftMask = nullptr;
  mRightMask = nullptr;
}

void OQuestBookItem::Detach() {
  UnlinkMasks();
}

void OQuestBookItem::UnlinkMasks() {
  for (OItemMask* mask : {mLeftMask, mRightMask})
    if (mask && mask->GetItem() == this) mask->SetItem(nullptr);
  ReleaseMask();
}

// ---- the book's effects and state ----

std::vector<TFxSpriteRef> OQuestBookItem::CreateContentAppearEffects(int x, int y) {
  std::vector<TFxSpriteRef> effects;
  for (size_t i = 0; mOwner && mAppearEffects && i < mAppearEffects->GetChildCount(); ++i) {
    TSpriteRef sprite = mOwner->AddParticleEffect(mAppearEffects->GetChildAt(i), float(x), float(y), false);
    if (TFxSpriteRef effect = boost::dynamic_pointer_cast<TFxSprite>(sprite)) effects.push_back(effect);
  }
  return effects;
}

TFxSpriteRef OQuestBookItem::CreateTurningParticle(int x, int y) {
  if (!mOwner || !mTurningParticle) return TFxSpriteRef();
  return boost::dynamic_pointer_cast<TFxSprite>(
      mOwner->AddParticleEffect(mTurningParticle, float(x), float(y), false));
}

void OQuestBookItem::SaveState() {
  OItemsRegistry::GetInstance()->SetState(mName, mCur);
}
