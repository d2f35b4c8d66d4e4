#include "TButton.h"

#include <lua.hpp>

#include "TFont.h"
#include "TRenderer.h"
#include "TWindowManager.h"
#include "TWindowStyle.h"

namespace {

enum { kImageNormal, kImageHover, kImagePressed, kImageDisabled };
const char* const kImageKeys[4] = {"normal", "hover", "pressed", "disabled"};

bool Usable(const TTextureRef& t) {
  return t && !t->IsEmpty();
}

}  // namespace

TButton::TButton() = default;

TButton::~TButton() {
  // mCommand releases its registry slot by itself.
  if (TWindowManager* wm = TWindowManager::Peek()) wm->RemoveMouseListener(this);
}

void TButton::Init(TWindowStyle& style) {
  TWindow::Init(style);
  for (int i = 0; i < 4; ++i)
    if (style.Has(kImageKeys[i])) mImages[i] = TTexture::Get(style.GetString(kImageKeys[i]));
  // A button given only an image takes the image's size.
  if (GetWidth() == 0 && GetHeight() == 0 && Usable(mImages[kImageNormal]))
    SetWindowSize(mImages[kImageNormal]->GetWidth(), mImages[kImageNormal]->GetHeight());
  mFont = style.GetString("font", mFont);
  mFontSize = style.GetInt("size", mFontSize);
  mColour = style.GetColor("color", mColour);
  mToggle = style.GetBool("toggle", mToggle);
  SetLabel(style.GetString("label", mLabel));
  if (TLuaTableRef table = style.GetTable()) {
    table->PushField("command");
    SetCommand(table->GetState());
  }
}

void TButton::SetCommand(lua_State* L) {
  if (lua_isfunction(L, -1))
    mCommand.Set(L, -1);
  else
    mCommand.Reset();
  lua_pop(L, 1);
  mCommandRef = mCommand.GetRef();
}

void TButton::SetState(int state) {
  if (state == mState) return;
  int before = mState;
  mState = state;
  StateUpdate(state, before);
}

void TButton::StateUpdate(int state, int arg) {}

void TButton::SetOn(bool on) {
  mOn = on;
}

void TButton::SetEnabled(bool enabled) {
  // Disabling lets go of a press in progress, so no click can follow.
  if (!enabled) {
    TWindowManager::GetInstance()->RemoveMouseListener(this);
    SetState(kDisabled);
  } else if (mState & kDisabled)
    SetState(kNormal);
}

void TButton::SetLabel(const str& label) {
  if (label == mLabel && !mLabelDirty) return;
  mLabel = label;
  mLabelDirty = true;
}

void TButton::SetImages(TTextureRef normal, TTextureRef hover, TTextureRef pressed, TTextureRef disabled) {
  mImages[kImageNormal] = normal;
  mImages[kImageHover] = hover;
  mImages[kImagePressed] = pressed;
  mImages[kImageDisabled] = disabled;
}

TTexture* TButton::PickImage() const {
  int look = kImageNormal;
  if (mState & kDisabled)
    look = kImageDisabled;
  else if (mState == (kPressed | kHover) || (mToggle && mOn))
    look = kImagePressed;
  else if (mState & kHover)
    look = kImageHover;
  if (Usable(mImages[look])) return mImages[look].get();
  return Usable(mImages[kImageNormal]) ? mImages[kImageNormal].get() : nullptr;
}

void TButton::Draw() {
  TRenderer* renderer = TRenderer::GetInstance();
  if (TTexture* image = PickImage()) {
    TDrawSpec spec;
    spec.flags = TDrawSpec::kLeftOrigin | TDrawSpec::kOriginPoint;
    image->Draw(spec);
  } else {
    // Without images a button is still visible: a plain block by state.
    TColor32 fill(0xFF505A6E);
    if (mState & kDisabled)
      fill = TColor32(0xFF3A3A3A);
    else if (mState == (kPressed | kHover) || (mToggle && mOn))
      fill = TColor32(0xFF2E3648);
    else if (mState & kHover)
      fill = TColor32(0xFF6E7A92);
    renderer->FillRect(GetClientRect(), fill);
  }
  if (mLabelDirty) {
    mLabelTexture = mLabel.empty() ? TTextureRef() : TFont::RenderText(mFont, mFontSize, mColour, mLabel);
    mLabelDirty = false;
  }
  if (Usable(mLabelTexture)) {
    // Centred on whole pixels, so the glyphs stay sharp.
    int w = mLabelTexture->GetWidth(), h = mLabelTexture->GetHeight();
    int left = GetWidth() / 2 - w / 2, top = GetHeight() / 2 - h / 2;
    mLabelTexture->Draw(left + w / 2.0f, top + h / 2.0f);
  }
}

bool TButton::OnMouseDown(const TPoint& local) {
  if (mState & kDisabled) return true;
  SetState(kPressed | kHover);
  // The release may come outside the button; it must still end the press,
  // or a later release over the button would click without a press.
  TWindowManager::GetInstance()->AddMouseListener(this);
  return true;
}

bool TButton::OnMouseUp(const TPoint& local) {
  TWindowManager::GetInstance()->RemoveMouseListener(this);
  if (mState & kDisabled) return true;
  bool wasHeld = IsHeld();
  bool inside = HitTest(local);
  SetState(inside ? kHover : kNormal);
  // The click may delete this button (a handler rebuilding its window), so
  // nothing here touches it afterwards.
  if (wasHeld && inside) Click();
  return true;
}

bool TButton::OnMouseMove(const TPoint& local) {
  if (mState & kDisabled) return true;
  int state = (mState & kPressed) | (HitTest(local) ? kHover : 0);
  SetState(state);
  return true;
}

void TButton::OnMouseLeave() {
  if (!(mState & kDisabled)) SetState(mState & ~kHover);
}

void TButton::Click() {
  if (mToggle) mOn = !mOn;
  // The command is pushed before the message goes out: a handler may delete
  // this button, and the function then still runs from the stack.
  lua_State* L = mCommand.GetState();
  int base = 0;
  bool hasCommand = false;
  if (L) {
    base = lua_gettop(L);
    hasCommand = mCommand.Push();
  }
  TMessage message;
  message.kind = TMessage::kButtonPressed;
  message.senderName = GetName();
  message.sender = this;
  TWindowManager::GetInstance()->SendMessage(this, message);
  if (hasCommand) {
    // Anything a handler left above our function is dropped first.
    lua_settop(L, base + 1);
    TScript::ProtectedCall(L, 0, 0, "button command");
    lua_settop(L, base);
  }
}
