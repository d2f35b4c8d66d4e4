#pragma once
#include "TMath.h"
#include "TTexture.h"
#include "TWindow.h"

// A window that shows text. Style keys: "text", "font", "size", "color"
// (0xAARRGGBB number or {r,g,b[,a]} 0..255), "align" ("left", "center",
// "right"), "wrap" (bool: wraps at the window's width). The text is drawn
// from the window's top.
class TText : public TWindow {
  TWINDOW_CLASS(TText, TWindow)
 public:
  explicit TText(bool wrap = false);
  void Init(TWindowStyle& style) override;
  void Draw() override;
  // `name` is the window's name; `flags` are kept for callers and unused.
  bool Create(const str& name, int w, int h, int flags, const str& font, int size, TColor32 colour);
  virtual void SetText(const str& text);
  const str& GetText() const { return mText; }
  void SetFont(const str& font, int size);
  void SetColor(TColor32 colour);
  enum Align { kLeft = 0, kCenter = 1, kRight = 2 };
  void SetAlign(int align);
  void SetWrap(bool wrap);
  // Bounds of the laid-out text, local to the window.
  TRect GetTextBounds();

 protected:
  str mText;
  str mFont = "default";
  int mSize = 16;
  TColor32 mColour = TColor32(0xFFFFFFFF);
  int mAlign = kLeft;
  bool mWrap = false;
  TTextureRef mRendered;
  bool mDirty = true;
  void Layout();

 private:
  int mLaidOutWidth = -1;  // the wrap width the rendered text was made for
};

// A one-line edit field: takes focus on click and text input (any printable
// character), backspace deletes, enter sends kButtonPressed. Style keys as
// TText plus "maxlen" (characters). Text is kept as UTF-8.
class TEditText : public TText {
  TWINDOW_CLASS(TEditText, TText)
 public:
  TEditText();
  void Init(TWindowStyle& style) override;
  void Draw() override;
  bool OnMouseDown(const TPoint& local) override;
  bool OnKeyDown(int key, uint32_t flags) override;
  bool OnChar(int ch) override;
  void OnFocus(bool gained) override;
  void SetMaxLength(int n) { mMaxLen = n; }
  int GetMaxLength() const { return mMaxLen; }
  bool HasFocus() const { return mFocused; }
  // Characters (not bytes) in the text.
  int GetLength() const;

 private:
  int mMaxLen = 32;
  bool mFocused = false;
};

// The text a window shows: a text window's (an edit field's too) or a
// button's label; null for any other window, or none.
const str* ShownText(const TWindow* window);
