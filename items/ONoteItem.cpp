#include "ONoteItem.h"

#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OSoundManager.h"
#include "items/IItemsManager.h"
#include "items/OItemFactory.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kTextControl = "text_control";
const char* const kTabletShownFlag = "___is_ready_tabled_animation_shown";
// The large view is centred on this point, above the panel's row.
const int kLargeCentreX = 400;
const int kLargeCentreY = 240;

// The text the entry's "text_control" script lays out, rendered; null when
// the entry has no script or the script makes no window named "window".
TTextureRef RenderText(const str& item, TXmlNode* node) {
  TXmlNode* control = node ? node->GetChild(kTextControl) : nullptr;
  str script = control ? control->GetContent() : str();
  if (script.empty()) return TTextureRef();
  TWindow* window = LoadWindowFromScript(script.c_str(), "window");
  if (!window) {
    Report("%s: item \"%s\": %s \"%s\" makes no window \"window\"; no text is drawn",
           OItemFactory::GetGuidePath().c_str(), item.c_str(), kTextControl, script.c_str());
    return TTextureRef();
  }
  TTextureRef texture = RenderWindowToTexture(window);
  delete window;
  return texture;
}

// The sprite of the text at (x, y), turned by the control's "rotation" in
// degrees; a note's text is placed by its top-left corner. Null without a
// text.
TSpriteRef MakeTextSprite(const str& item, TXmlNode* node, float x, float y, bool note) {
  TTextureRef texture = RenderText(item, node);
  if (!texture) return TSpriteRef();
  TSpriteRef sprite = TSprite::Create(1, texture);
  str rotation = node->GetChild(kTextControl)->GetAttribute("rotation");
  if (!rotation.empty()) {
    // 3.14, not pi: texts are placed by eye against this turn.
    TMat3 matrix = sprite->GetMatrix();
    sprite->SetMatrix(matrix.Rotate(rotation.to_float() * 3.14f / 180.0f));
  }
  sprite->SetPosition(TVec3(x, y, 0));
  if (note) {
    sprite->SetDrawFlags(TDrawSpec::kOriginPoint);
    sprite->SetOrigin(TVec2(0, 0));
  }
  return sprite;
}

// After the textures were lost: the text is laid out again; a script that
// now makes no window leaves no text rather than a stale texture.
void RefreshText(TSpriteRef& sprite, const str& item, TXmlNode* node) {
  if (!sprite) return;
  TTextureRef texture = RenderText(item, node);
  if (texture)
    sprite->SetTexture(texture);
  else
    sprite.reset();
}

void DrawNoteSprite(const TSpriteRef& sprite) {
  if (!sprite) return;
  T2dScope pass;
  sprite->Draw(TDrawSpec());
}

template <class Note>
OSimpleItem* LoadNote(const str& name, TXmlNode* node, IItemsManager* owner) {
  OSimpleItem::Look look;
  if (!OSimpleItem::ReadLook(name, node, &look)) return nullptr;
  return new Note(name, owner, look, node);
}
}  // namespace

// ---- note ----

ONoteItem::ONoteItem(const str& name, IItemsManager* owner, const Look& look, TXmlNode* node)
    : OSimpleItem(name, owner, look.folder, look.path, look.x, look.y), mNode(node) {
  if (TPlatform* platform = TPlatform::GetInstance()) platform->AdoptTextureRefreshListener(this);
  // A note is used by reading it: it has no use action and no on-pointer
  // variable of its own.
  ReadEntry(node, owner, 0);
  TXmlNode* control = node->GetChild(kTextControl);
  if (control)
    mTextSprite = MakeTextSprite(name, node, control->GetAttribute("x").to_float(),
                                 control->GetAttribute("y").to_float(), true);
}

ONoteItem::~ONoteItem() {
  if (TPlatform* platform = TPlatform::GetInstance()) platform->OrphanTextureRefreshListener(this);
  mTextSprite.reset();
}

OSimpleItem* ONoteItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  return LoadNote<ONoteItem>(name, node, owner);
}

bool ONoteItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::ONoteItem || OSimpleItem::IsKindOf(typeId);
}

void ONoteItem::Draw() {
  OSimpleItem::Draw();
  if (mLargeMode == 1) DrawNoteSprite(mTextSprite);
}

bool ONoteItem::Use(const TPoint& point) {
  if (mLargeMode == 1) {
    SetLarge(0);
    OSoundManager::GetInstance()->PlayNoteHideSound(mName);
    return true;
  }
  if (mPlace != ItemPlace::stPointer) return true;
  OSoundManager::GetInstance()->PlayNoteOpenSound(mName);
  SetLarge(1);
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(0);
  OMissionsManager::GetInstance()->OnNoteRead(mName);
  return true;
}

void ONoteItem::SetLarge(int mode) {
  mLargeMode = mode;
  if (mode == 0)
    SetPlace(mPlace);
  else if (mode == 1)
    ShowLarge("stLarge");
}

void ONoteItem::ShowLarge(const char* state) {
  if (mObject) mObject->SetState(TState::FromCStr(state), true);
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (pointer && pointer->GetHeldItem() == this) pointer->ReleaseItem();
  if (mObject) {
    mObject->deltaX = float(kLargeCentreX - int(GetObjectWidth()) / 2);
    mObject->deltaY = float(kLargeCentreY - int(GetObjectHeight()) / 2);
    mObject->changed = 1;
  }
  if (mOwner) mOwner->ShowFrontItem(this);
}

bool ONoteItem::DoTask() {
  RefreshText(mTextSprite, mName, mNode);
  return true;
}

// ---- ready tablet ----

OSimpleItem* OReadyTabletItem::CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner) {
  return LoadNote<OReadyTabletItem>(name, node, owner);
}

bool OReadyTabletItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OReadyTabletItem || ONoteItem::IsKindOf(typeId);
}

void OReadyTabletItem::SetLarge(int mode) {
  if (mode != 1) {
    ONoteItem::SetLarge(mode);
    return;
  }
  mLargeMode = mode;
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  // Once in a game, across every tablet: the variable is saved with it.
  bool first = flags->GetValue(kTabletShownFlag) == "null";
  if (first) flags->SetValue(kTabletShownFlag, "true");
  ShowLarge(first ? "stLargeAnim" : "stLarge");
}

// ---- scene text ----

OSceneTextItem::OSceneTextItem(const str& name, IItemsManager* owner, TXmlNode* node)
    : OItem(name, owner, str(), str()), mNode(node) {
  if (TPlatform* platform = TPlatform::GetInstance()) platform->AdoptTextureRefreshListener(this);
  TXmlNode* pos = node->GetChild("scene_pos");
  float x = pos ? pos->GetAttribute("x").to_float() : 0;
  float y = pos ? pos->GetAttribute("y").to_float() : 0;
  mTextSprite = MakeTextSprite(name, node, x, y, false);
}

OSceneTextItem::~OSceneTextItem() {
  if (TPlatform* platform = TPlatform::GetInstance()) platform->OrphanTextureRefreshListener(this);
  mTextSprite.reset();
}

IItem* OSceneTextItem::CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner) {
  return node ? new OSceneTextItem(name, owner, node) : nullptr;
}

bool OSceneTextItem::IsKindOf(int32_t typeId) const {
  return typeId == ItemTypeId::OSceneTextItem || OItem::IsKindOf(typeId);
}

void OSceneTextItem::Draw() {
  OItem::Draw();
  DrawNoteSprite(mTextSprite);
}

bool OSceneTextItem::DoTask() {
  RefreshText(mTextSprite, mName, mNode);
  return true;
}
