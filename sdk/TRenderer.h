#pragma once
// The drawing context: one SDL renderer with an 800x600 logical screen.
// Headless it is SDL's software renderer, so frames are real pixels.

#include <vector>

#include "TMath.h"
#include "TTexture.h"
#include "str.h"

class TWindow;

// One call as it reached SDL, kept so a frame can be replayed exactly.
struct TDrawCall {
  enum Kind { kCopy, kCopyFlipped, kGeometry, kFill, kClip, kTarget };
  Kind kind = kCopy;
  TTextureRef texture;  // keeps the pixels alive for a replay
  void* sdlTexture = nullptr;
  int blend = 0;  // SDL's blend mode, as set on the texture or for the fill
  uint8_t rgba[4] = {255, 255, 255, 255};
  int src[4] = {0, 0, 0, 0};  // x, y, w, h
  float dst[4] = {0, 0, 0, 0};  // x, y, w, h (also a fill's and a clip's rectangle)
  int flip = 0;
  float vertices[4][4] = {};  // x, y, u, v; the colour is rgba
};

class TRenderer {
 public:
  static TRenderer* GetInstance();
  // Closes the display and deletes the instance (at exit).
  static void Shutdown();

  void SetOption(const str& key, const str& value);
  str GetOption(const str& key) const;

  // True only when this call opened the pass; call End2d only then.
  bool Begin2d();
  void End2d();
  bool In2d() const { return mIn2d; }

  // Origin and clip of what is drawn now (screen pixels).
  void SetOrigin(const TPoint& origin) { mOrigin = origin; }
  TPoint GetOrigin() const { return mOrigin; }
  void PushClip(const TRect& screenRect);  // intersects with the current clip
  void PopClip();
  TRect GetClip() const;

  // Fills without blending when `blend` is false (clears a render target).
  void FillRect(const TRect& rect, TColor32 colour, bool blend = true);
  void DrawTexture(TTexture* texture, const TDrawSpec& spec);

  // Render targets: draw into `target` until EndRenderTarget.
  bool BeginRenderTarget(TTextureRef target);
  void EndRenderTarget();
  // Renders a window and its children into a new texture of its size over a
  // transparent background.
  TTextureRef RenderWindowToTexture(TWindow* window);

  // The last presented frame, for tests.
  TColor32 ReadPixel(int x, int y) const;
  bool Screenshot(const str& path) const;
  // Frame: clears, draws the window tree, captures, presents.
  void BeginFrame();
  void EndFrame();

  // Internal.
  bool Open(bool headless, bool fullscreen);
  void Close();
  void SetFullscreen(bool fullscreen);
  void* GetSdlRenderer() const { return mSdl; }
  void* GetSdlWindow() const { return mWindow; }
  void LoseTargets();  // as when the device resets: drops GPU copies
  bool IsOpen() const { return mSdl != nullptr; }
  bool IsHeadless() const { return mHeadless; }
  // The four screen corners (relative to the origin) of the source
  // rectangle's top-left, top-right, bottom-right and bottom-left pixels'
  // outer corners under `spec`; false when nothing would be drawn.
  static bool SpecQuad(const TDrawSpec& spec, int texW, int texH, TVec2 pos[4], TRect* src = nullptr);
  // Reads a render target's device copy (ARGB, pitch = its width).
  bool ReadTarget(TTexture* texture, uint32_t* out);
  // Appends every SDL drawing call to `into` until set back to null.
  void SetRecorder(std::vector<TDrawCall>* into) { mRecorder = into; }
  TRenderer();
  ~TRenderer();

 private:
  struct TargetState {
    TTextureRef target;
    TPoint origin;
    std::vector<TRect> clips;
    TPoint shift;
    bool in2d;
  };
  static TRenderer* sInstance;
  void* mSdl = nullptr;
  void* mWindow = nullptr;
  void* mSurface = nullptr;  // the headless frame
  bool mHeadless = false;
  bool mFullscreen = false;
  int mSubtract = -1;  // custom subtract blending: -1 untried, 0 refused, 1 works
  bool mClipEmpty = false;
  // Screen point that lands on a render target's top-left (RenderWindowToTexture).
  TPoint mShift;
  std::vector<TargetState> mTargetStack;
  bool mIn2d = false;
  TPoint mOrigin;
  std::vector<TRect> mClips;
  std::vector<uint32_t> mLastFrame;  // 800x600 ARGB
  TTextureRef mTarget;
  TTextureRef mBlack;  // one opaque black pixel: what a blank texture draws
  std::vector<str> mOptionKeys, mOptionValues;
  std::vector<TDrawCall>* mRecorder = nullptr;
  void ApplyClip();
  TRect BaseClip() const;
  void SetBlend(void* sdlTexture, int blend);
  // A switch of drawing target, kept so a replay draws into the same place.
  void RecordTarget(TTextureRef texture, void* sdlTexture);
};

// Opens a 2D pass if none is open and closes it when it goes out of scope.
class T2dScope {
 public:
  T2dScope() : mOpened(TRenderer::GetInstance()->Begin2d()) {}
  ~T2dScope() {
    if (mOpened) TRenderer::GetInstance()->End2d();
  }

 private:
  bool mOpened;
};
