#include "TText.h"

#include "TButton.h"
#include "TEvent.h"
#include "TFont.h"
#include "TRenderer.h"
#include "TWindowManager.h"
#include "TWindowStyle.h"

namespace {

bool TextUsable(const TTextureRef& t) {
  return t && !t->IsEmpty();
}

int AlignFromName(const str& name, int def) {
  if (name == "left") return TText::kLeft;
  if (name == "center" || name == "centre") return TText::kCenter;
  if (name == "right") return TText::kRight;
  return def;
}

void AppendUtf8(str& text, uint32_t cp) {
  if (cp < 0x80) {
    text += char(cp);
  } else if (cp < 0x800) {
    text += char(0xC0 | (cp >> 6));
    text += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    text += char(0xE0 | (cp >> 12));
    text += char(0x80 | ((cp >> 6) & 0x3F));
    text += char(0x80 | (cp & 0x3F));
  } else {
    text += char(0xF0 | (cp >> 18));
    text += char(0x80 | ((cp >> 12) & 0x3F));
    text += char(0x80 | ((cp >> 6) & 0x3F));
    text += char(0x80 | (cp & 0x3F));
  }
}

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Printable: ASCII from space to tilde, and any Unicode character past the
// C1 controls that is not a surrogate half.
bool IsPrintable(int ch) {
  if (ch >= 32 && ch < 127) return true;
  return ch >= 0xA0 && ch <= 0x10FFFF && !(ch >= 0xD800 && ch <= 0xDFFF);
}

}  // namespace

TText::TText(bool wrap) : mWrap(wrap) {}

void TText::Init(TWindowStyle& style) {
  TWindow::Init(style);
  mText = style.GetString("text", mText);
  mFont = style.GetString("font", mFont);
  mSize = style.GetInt("size", mSize);
  mColour = style.GetColor("color", mColour);
  mAlign = AlignFromName(style.GetString("align"), mAlign);
  mWrap = style.GetBool("wrap", mWrap);
  mDirty = true;
}

bool TText::Create(const str& name, int w, int h, int flags, const str& font, int size, TColor32 colour) {
  SetName(name);
  SetWindowSize(w, h);
  mFont = font;
  mSize = size;
  mColour = colour;
  mDirty = true;
  return true;
}

void TText::SetText(const str& text) {
  if (text == mText) return;
  mText = text;
  mDirty = true;
}

void TText::SetFont(const str& font, int size) {
  mFont = font;
  mSize = size;
  mDirty = true;
}

void TText::SetColor(TColor32 colour) {
  mColour = colour;
  mDirty = true;
}

void TText::SetAlign(int align) {
  mAlign = (align == kCenter || align == kRight) ? align : kLeft;
}

void TText::SetWrap(bool wrap) {
  mWrap = wrap;
  mDirty = true;
}

void TText::Layout() {
  const int wrapWidth = mWrap ? GetWidth() : 0;
  if (!mDirty && wrapWidth == mLaidOutWidth) return;
  mRendered = mText.empty() ? TTextureRef() : TFont::RenderText(mFont, mSize, mColour, mText, wrapWidth);
  mLaidOutWidth = wrapWidth;
  mDirty = false;
}

TRect TText::GetTextBounds() {
  Layout();
  const int w = TextUsable(mRendered) ? mRendered->GetWidth() : 0;
  const int h = TextUsable(mRendered) ? mRendered->GetHeight() : 0;
  int left = 0;
  if (mAlign == kCenter)
    left = (GetWidth() - w) / 2;
  else if (mAlign == kRight)
    left = GetWidth() - w;
  return TRect(left, 0, left + w, h);
}

void TText::Draw() {
  TRect bounds = GetTextBounds();
  if (!TextUsable(mRendered)) return;
  TDrawSpec spec;
  spec.flags = TDrawSpec::kLeftOrigin | TDrawSpec::kOriginPoint;
  spec.matrix.Translate(float(bounds.left), float(bounds.top));
  mRendered->Draw(spec);
}

// --- TEditText

TEditText::TEditText() : TText(false) {}

void TEditText::Init(TWindowStyle& style) {
  TText::Init(style);
  int maxLen = style.GetInt("maxlen", mMaxLen);
  mMaxLen = maxLen < 0 ? 0 : maxLen;
  mWrap = false;  // one line
}

int TEditText::GetLength() const {
  int n = 0;
  for (char c : mText)
    if (!IsContinuation(c)) ++n;
  return n;
}

bool TEditText::OnMouseDown(const TPoint& local) {
  TWindowManager::GetInstance()->SetFocus(this);
  return true;
}

void TEditText::OnFocus(bool gained) {
  mFocused = gained;
}

bool TEditText::OnChar(int ch) {
  if (!IsPrintable(ch)) return false;
  if (GetLength() < mMaxLen) {
    str text = mText;
    AppendUtf8(text, uint32_t(ch));
    SetText(text);
  }
  return true;
}

bool TEditText::OnKeyDown(int key, uint32_t flags) {
  if (key == TEvent::kBackspace) {
    // A whole character goes, never half of a multi-byte one.
    str text = mText;
    while (!text.empty() && IsContinuation(text.back())) text.pop_back();
    if (!text.empty()) text.pop_back();
    SetText(text);
    return true;
  }
  if (key == TEvent::kEnter) {
    TMessage message;
    message.kind = TMessage::kButtonPressed;
    message.senderName = GetName();
    message.sender = this;
    TWindowManager::GetInstance()->SendMessage(this, message);
    return true;
  }
  // Keys that type arrive again through OnChar; taking them here keeps the
  // game's shortcuts from firing while a name is typed.
  return key >= 32 && key < 127;
}

void TEditText::Draw() {
  TText::Draw();
  if (!mFocused) return;
  TRect bounds = GetTextBounds();
  const int height = bounds.Height() > 0 ? bounds.Height() : mSize;
  TRenderer::GetInstance()->FillRect(TRect(bounds.right + 1, 0, bounds.right + 3, height), mColour);
}

const str* ShownText(const TWindow* window) {
  if (window && window->IsKindOf(TText::ClassId())) return &static_cast<const TText*>(window)->GetText();
  if (window && window->IsKindOf(TButton::ClassId())) return &static_cast<const TButton*>(window)->GetLabel();
  return nullptr;
}
