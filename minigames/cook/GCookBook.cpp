#include "GCookBook.h"

#include <algorithm>

#include "game/OGameConfig.h"
#include "items/OItemsRegistry.h"
#include "rules/questbook/OQuestBookPage.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"
#include "visual/TFxSprite.h"

const char* const GCookBook::kRegistryKey = "king_cook_minigame_book_info";

namespace {
void ReadPoint(TXmlNode* node, int* x, int* y) {
  if (!node) return;
  *x = node->GetAttribute("x").to_int();
  *y = node->GetAttribute("y").to_int();
}

// The child of that name, when it is an image, out of the window.
TWindow* TakeMask(TWindow* book, const char* name) {
  TWindow* child = book->GetChildWindow(name, 1);
  if (!child || !child->IsKindOf(TImage::ClassId())) return nullptr;
  book->OrphanChild(child);
  return child;
}

bool Inside(const TWindow* mask, const TPoint& point) {
  return mask && mask->GetWindowRect().Contains(point);
}
}  // namespace

GCookBook::GCookBook() {
  SetWindowSize(800, 600);
  TXmlNode* config = OGameConfig::GetInstance()->GetGameScreenChild("cook_book");
  if (!config) Report("game_screen: no \"cook_book\"; the cook book has no pages");
  if (TImage* background = config ? LoadImageFromXml(config->GetChild("background")) : nullptr)
    AdoptChild(background);
  std::vector<TXmlNode*> pages;
  if (TXmlNode* list = config ? config->GetChild("pages") : nullptr)
    for (size_t i = 0; i < list->GetChildCount(); ++i) pages.push_back(list->GetChildAt(i));
  mTurningParticle = TFxSprite::Create(0, "scripts/empty.lua");

  // A damaged save may name any number: the book opens within its sheets,
  // with the first sheet always turned over.
  int32_t cur = 1;
  OItemsRegistry::GetInstance()->GetState(kRegistryKey, 0, &cur);
  int n = int(pages.size());
  mCur = std::max(1, std::min(int(cur), std::max(1, n - 1)));
  if (mCur != cur)
    Report("items_registry: the cook book was open at %d of %d sheets; it opens at %d", int(cur), n, mCur);

  int turnTicks = 0, frontX = 0, frontY = 0, backX = 0, backY = 0;
  double maxSkew = 0;
  if (TXmlNode* turn = config ? config->GetChild("turn_cfg") : nullptr) {
    turnTicks = turn->GetAttribute("num_turning_ticks").to_int();
    maxSkew = turn->GetAttribute("max_skew").to_float();
  }
  if (config) {
    ReadPoint(config->GetChild("default_front_pos"), &frontX, &frontY);
    ReadPoint(config->GetChild("default_back_pos"), &backX, &backY);
  }
  for (int i = 0; i < n; ++i) {
    OQuestBookPage* sheet = new OQuestBookPage(this, pages[size_t(i)], TTextureRef(), TTextureRef(), frontX,
                                               frontY, backX, backY);
    sheet->SetTurning(turnTicks, maxSkew);
    sheet->LoadOffsets();
    sheet->SetContentVisible(true, true);
    sheet->SetTurnState(i < mCur ? OQuestBookPage::kBack : OQuestBookPage::kFront);
    while (!sheet->IsBuilt()) sheet->Animate();
    mSheets.push_back(sheet);
  }
}

GCookBook::~GCookBook() {
  for (OQuestBookPage* sheet : mSheets) delete sheet;
  delete mLeftMask;
  delete mRightMask;
}

void GCookBook::PostChildrenInit(TWindowStyle& style) {
  TWindow::PostChildrenInit(style);
  if (!mLeftMask) mLeftMask = TakeMask(this, "left_mask");
  if (!mRightMask) mRightMask = TakeMask(this, "right_mask");
}

bool GCookBook::OnMouseDown(const TPoint& local) {
  if (Inside(mLeftMask, local))
    TurnBack();
  else if (Inside(mRightMask, local))
    TurnForward();
  return true;
}

void GCookBook::PostDraw() {
  DrawPageStack(mSheets);
  TWindow::PostDraw();
}

void GCookBook::AnimateSheets() {
  for (OQuestBookPage* sheet : mSheets) sheet->Animate();
}

OQuestBookPage* GCookBook::GetSheet(int index) const {
  return index >= 0 && index < GetSheetCount() ? mSheets[size_t(index)] : nullptr;
}

int GCookBook::TurnStateOf(int index) const {
  OQuestBookPage* sheet = GetSheet(index);
  return sheet ? sheet->GetTurnState() : OQuestBookPage::kUnset;
}

// A turn may start while the neighbouring sheet still finishes one in the
// same direction; only a turn the other way blocks it.
void GCookBook::TurnForward() {
  if (mCur >= GetSheetCount() - 1 || TurnStateOf(mCur) != OQuestBookPage::kFront) return;
  if (mCur > 0 && TurnStateOf(mCur - 1) == OQuestBookPage::kTurningBack) return;
  mSheets[size_t(mCur)]->SetTurnState(OQuestBookPage::kTurningForward);
  ++mCur;
  SaveState();
}

void GCookBook::TurnBack() {
  if (mCur < 2 || TurnStateOf(mCur - 1) != OQuestBookPage::kBack) return;
  if (mCur < GetSheetCount() && TurnStateOf(mCur) == OQuestBookPage::kTurningForward) return;
  mSheets[size_t(mCur - 1)]->SetTurnState(OQuestBookPage::kTurningBack);
  --mCur;
  SaveState();
}

void GCookBook::SaveState() {
  OItemsRegistry::GetInstance()->SetState(kRegistryKey, mCur);
}
