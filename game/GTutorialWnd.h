#pragma once
// The scrolling text of the tutorial, built by a script inside the modal
// window "tutorialmenu": a mask window ("tutorial_mask") through which the
// taller content ("tutorial_content") is seen, moved up and down by four Lua
// functions and by a page slider ("slider"), all on a sliding panel
// ("panel") that slides in when the window is built and out, closing the
// modal window, on "closeTutorial()".

#include "game/LuaBinding.h"
#include "sdk/TWindow.h"

class GSlider;
class GSlidingPanel;

class GTutorialWnd : public TWindow {
  TWINDOW_CLASS(GTutorialWnd, TWindow)
 public:
  // The modal window the script builds the tutorial in.
  static const char* const kModalName;

  GTutorialWnd();
  ~GTutorialWnd() override;

  // Finds the four children, slides the panel in, binds the Lua functions.
  void PostChildrenInit(TWindowStyle& style) override;
  // The panel's step; once it has slid out, the modal window closes.
  bool OnTaskAnimate() override;
  // The slider moves the content by whole pages of the mask's height.
  bool OnMessage(const TMessage& message) override;

  // Lua "scrollTutorialAbsolute", "scrollTutorialDelta",
  // "scrollTutorialPercent", "closeTutorial". Without a mask or a content
  // the scroll functions do nothing; without a panel closeTutorial closes
  // the modal window at once.
  void scrollTutorialAbsolute(int y);
  void scrollTutorialDelta(int delta);
  void scrollTutorialPercent(float share);
  void closeTutorial();

  // The content's top relative to the mask, clamped to the scroll range:
  // from the last page (mask height - content height) to the top (0).
  int Clamp(int y) const;
  // Where the slider's value puts the content: the nearest whole page.
  int PageFor(float value) const;

  TWindow* GetMask() const { return mMask; }
  TWindow* GetContent() const { return mContent; }
  GSlidingPanel* GetPanel() const { return mPanel; }
  GSlider* GetSlider() const { return mSlider; }

 private:
  bool CanScroll() const { return mMask && mContent; }
  void PlaceContent(int y);

  TWindow* mMask = nullptr;
  TWindow* mContent = nullptr;
  GSlidingPanel* mPanel = nullptr;  // forgotten once it has slid out
  GSlider* mSlider = nullptr;
  int mMaskHeight = 0;
  int mContentHeight = 0;
  LuaNameSet mLuaNames;
};
