#pragma once
#include "TScript.h"
#include "TTexture.h"
#include "TWindow.h"

// A push or toggle button. Style keys: "normal", "hover", "pressed",
// "disabled" (image paths), "label", "font", "size", "color", "toggle"
// (bool), "command" (a Lua function run on click). A click sends
// kButtonPressed up the ancestors, then runs the command.
class TButton : public TWindow {
  TWINDOW_CLASS(TButton, TWindow)
 public:
  enum State {
    kNormal = 0x00,
    kHover = 0x01,
    kPressed = 0x10,  // held: (state & 0x70) == 0x10
    kDisabled = 0x80,
  };
  TButton();
  ~TButton() override;
  void Init(TWindowStyle& style) override;
  void Draw() override;
  bool OnMouseDown(const TPoint& local) override;
  bool OnMouseUp(const TPoint& local) override;
  bool OnMouseMove(const TPoint& local) override;
  void OnMouseLeave() override;
  // Called on every change of state with the new state; `arg` is the state
  // before the change.
  virtual void StateUpdate(int state, int arg);
  int GetState() const { return mState; }
  bool IsHeld() const { return (mState & 0x70) == 0x10; }
  void SetOn(bool on);
  bool IsOn() const { return mOn; }
  bool IsToggle() const { return mToggle; }
  void SetEnabled(bool enabled);
  bool IsEnabled() const { return !(mState & kDisabled); }
  void SetLabel(const str& label);
  const str& GetLabel() const { return mLabel; }
  void SetImages(TTextureRef normal, TTextureRef hover, TTextureRef pressed, TTextureRef disabled);
  // Runs what a click runs: the message, then the command.
  void Click();
  // The Lua function run on click (nil: none). Pops it from `L`'s stack top.
  void SetCommand(lua_State* L);

 protected:
  void SetState(int state);
  int mState = kNormal;
  bool mOn = false;
  bool mToggle = false;
  str mLabel;
  str mFont = "default";
  int mFontSize = 16;
  TColor32 mColour = TColor32(0xFFFFFFFF);
  TTextureRef mImages[4];
  TTextureRef mLabelTexture;
  int mCommandRef = -2;  // LUA_NOREF; mirrors mCommand's registry slot

 private:
  TLuaRef mCommand;
  bool mLabelDirty = true;
  TTexture* PickImage() const;
};
