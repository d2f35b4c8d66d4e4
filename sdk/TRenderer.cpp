#include "TRenderer.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>

#include "TFont.h"
#include "TPlatform.h"
#include "TReport.h"
#include "TWindow.h"

namespace {

const int kScreenW = 800, kScreenH = 600;

SDL_Renderer* R(void* p) {
  return static_cast<SDL_Renderer*>(p);
}

uint8_t ToByte(float v) {
  if (!(v > 0)) return 0;
  if (v >= 1) return 255;
  return uint8_t(std::lround(v * 255));
}

}  // namespace

TRenderer* TRenderer::sInstance = nullptr;

TRenderer* TRenderer::GetInstance() {
  if (!sInstance) sInstance = new TRenderer();
  return sInstance;
}

void TRenderer::Shutdown() {
  delete sInstance;
  sInstance = nullptr;
}

TRenderer::TRenderer() = default;

TRenderer::~TRenderer() {
  Close();
}

void TRenderer::SetOption(const str& key, const str& value) {
  auto it = std::find(mOptionKeys.begin(), mOptionKeys.end(), key);
  if (it == mOptionKeys.end()) {
    mOptionKeys.push_back(key);
    mOptionValues.push_back(value);
  } else {
    mOptionValues[it - mOptionKeys.begin()] = value;
  }
  if (key == "vsync" && mSdl && !mHeadless) SDL_RenderSetVSync(R(mSdl), value == "1");
}

str TRenderer::GetOption(const str& key) const {
  auto it = std::find(mOptionKeys.begin(), mOptionKeys.end(), key);
  return it == mOptionKeys.end() ? str() : mOptionValues[it - mOptionKeys.begin()];
}

bool TRenderer::Open(bool headless, bool fullscreen) {
  if (mSdl) {
    SetFullscreen(fullscreen);
    return true;
  }
  mHeadless = headless;
  mFullscreen = fullscreen;
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    if (headless) SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      Report("cannot start video: %s", SDL_GetError());
      return false;
    }
  }
  IMG_Init(IMG_INIT_PNG);
  if (!TTF_WasInit() && TTF_Init() != 0) Report("cannot start font rendering: %s", TTF_GetError());

  if (headless) {
    // A hidden window still carries the title and cursor calls; the frame is
    // drawn into a surface of our own so it can be read back exactly.
    mWindow = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kScreenW, kScreenH,
                               SDL_WINDOW_HIDDEN);
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, kScreenW, kScreenH, 32, SDL_PIXELFORMAT_ARGB8888);
    mSurface = surface;
    mSdl = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
  } else {
    Uint32 flags = fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    mWindow = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenW, kScreenH, flags);
    if (mWindow) {
      Uint32 rflags = SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE;
      if (GetOption("vsync") == "1") rflags |= SDL_RENDERER_PRESENTVSYNC;
      mSdl = SDL_CreateRenderer(static_cast<SDL_Window*>(mWindow), -1, rflags);
      if (!mSdl) mSdl = SDL_CreateRenderer(static_cast<SDL_Window*>(mWindow), -1, SDL_RENDERER_SOFTWARE);
    }
  }
  if (!mSdl) {
    Report("cannot open the display: %s", SDL_GetError());
    Close();
    return false;
  }
  SDL_RenderSetLogicalSize(R(mSdl), kScreenW, kScreenH);
  mSubtract = -1;
  mClips.clear();
  ApplyClip();
  return true;
}

void TRenderer::Close() {
  if (mSdl) {
    while (!mTargetStack.empty()) EndRenderTarget();
    // Every SDL texture dies with its renderer; forget them first so none is
    // freed twice and each is made again if a renderer opens later.
    TTexture::ForEachLive([](TTexture* t) { t->DropGpu(); });
    SDL_DestroyRenderer(R(mSdl));
    mSdl = nullptr;
  }
  if (mSurface) SDL_FreeSurface(static_cast<SDL_Surface*>(mSurface));
  mSurface = nullptr;
  if (mWindow) SDL_DestroyWindow(static_cast<SDL_Window*>(mWindow));
  mWindow = nullptr;
  mIn2d = false;
}

void TRenderer::SetFullscreen(bool fullscreen) {
  mFullscreen = fullscreen;
  if (mWindow && !mHeadless)
    SDL_SetWindowFullscreen(static_cast<SDL_Window*>(mWindow),
                            fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

bool TRenderer::Begin2d() {
  if (mIn2d || !mSdl) return false;
  mIn2d = true;
  return true;
}

void TRenderer::End2d() {
  mIn2d = false;
}

TRect TRenderer::BaseClip() const {
  if (mTarget)
    return TRect(0, 0, mTarget->GetWidth(), mTarget->GetHeight()).Offset(int(mShift.x), int(mShift.y));
  return TRect(0, 0, kScreenW, kScreenH);
}

TRect TRenderer::GetClip() const {
  return mClips.empty() ? BaseClip() : mClips.back();
}

void TRenderer::PushClip(const TRect& screenRect) {
  mClips.push_back(screenRect.Intersect(GetClip()));
  ApplyClip();
}

void TRenderer::PopClip() {
  if (!mClips.empty()) mClips.pop_back();
  ApplyClip();
}

void TRenderer::ApplyClip() {
  const TRect c = GetClip();
  // Some SDL releases read an empty clip rectangle as "no clipping at all";
  // an empty clip is kept here instead and nothing is drawn while it holds.
  mClipEmpty = c.IsEmpty();
  if (!mSdl || mClipEmpty) return;
  SDL_Rect rc{c.left - int(mShift.x), c.top - int(mShift.y), c.Width(), c.Height()};
  SDL_RenderSetClipRect(R(mSdl), &rc);
  if (mRecorder) {
    TDrawCall call;
    call.kind = TDrawCall::kClip;
    const float rect[4] = {float(rc.x), float(rc.y), float(rc.w), float(rc.h)};
    std::copy(rect, rect + 4, call.dst);
    mRecorder->push_back(call);
  }
}

bool TRenderer::SpecQuad(const TDrawSpec& spec, int texW, int texH, TVec2 pos[4], TRect* srcOut) {
  const TRect whole(0, 0, texW, texH);
  const TRect src = spec.src.IsEmpty() ? whole : spec.src.Intersect(whole);
  if (src.IsEmpty()) return false;
  const int w = src.Width(), h = src.Height();
  const TVec2 anchor = spec.Anchor(w, h);
  const TVec2 corners[4] = {{0, 0}, {float(w), 0}, {float(w), float(h)}, {0, float(h)}};
  for (int i = 0; i < 4; ++i) {
    TVec2 p = corners[i];
    if (spec.flags & TDrawSpec::kFlipH) p.x = w - p.x;
    if (spec.flags & TDrawSpec::kFlipV) p.y = h - p.y;
    pos[i] = spec.matrix.Transform(p - anchor);
  }
  if (srcOut) *srcOut = src;
  return true;
}

void TRenderer::SetBlend(void* texture, int blend) {
  SDL_Texture* tex = static_cast<SDL_Texture*>(texture);
  SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
  switch (blend) {
    case TDrawSpec::kBlendAdd:
      mode = SDL_BLENDMODE_ADD;
      break;
    case TDrawSpec::kBlendMultiply:
      mode = SDL_BLENDMODE_MOD;
      break;
    case TDrawSpec::kBlendSubtract:
      // The destination loses the source weighted by its alpha; renderers
      // without custom modes (the software one) draw it normally.
      if (mSubtract != 0)
        mode = SDL_ComposeCustomBlendMode(SDL_BLENDFACTOR_SRC_ALPHA, SDL_BLENDFACTOR_ONE,
                                          SDL_BLENDOPERATION_REV_SUBTRACT, SDL_BLENDFACTOR_ZERO,
                                          SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD);
      break;
    default:
      break;
  }
  if (SDL_SetTextureBlendMode(tex, mode) != 0) {
    if (blend == TDrawSpec::kBlendSubtract) mSubtract = 0;
    SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  } else if (blend == TDrawSpec::kBlendSubtract) {
    mSubtract = 1;
  }
}

void TRenderer::DrawTexture(TTexture* texture, const TDrawSpec& spec) {
  if (!mSdl || !texture || texture->IsEmpty() || mClipEmpty) return;
  if (mTarget.get() == texture) return;  // a target cannot be drawn into itself
  const float alpha = spec.alpha * spec.color.a;
  if (!(alpha > 0)) return;
  TVec2 pos[4];
  TRect src;
  if (!SpecQuad(spec, texture->GetWidth(), texture->GetHeight(), pos, &src)) return;
  // A blank texture is one black pixel stretched over the quad.
  TTexture* pixels = texture;
  if (texture->IsBlank()) {
    if (!mBlack) {
      const uint32_t black = 0xFF000000u;
      mBlack = TTexture::FromPixels(1, 1, &black);
    }
    pixels = mBlack.get();
    src = TRect(0, 0, 1, 1);
  }
  SDL_Texture* tex = static_cast<SDL_Texture*>(pixels->GetSdlTexture());
  if (!tex) return;
  const TVec2 shift = mOrigin - mShift;
  for (TVec2& p : pos) p = p + shift;
  const SDL_Color col{ToByte(spec.color.r), ToByte(spec.color.g), ToByte(spec.color.b), ToByte(alpha)};
  SetBlend(tex, spec.blend);
  TDrawCall* call = nullptr;
  if (mRecorder) {
    mRecorder->emplace_back();
    call = &mRecorder->back();
    call->texture = pixels->shared_from_this();
    call->sdlTexture = tex;
    SDL_BlendMode mode;
    SDL_GetTextureBlendMode(tex, &mode);
    call->blend = int(mode);
    const uint8_t rgba[4] = {col.r, col.g, col.b, col.a};
    std::copy(rgba, rgba + 4, call->rgba);
  }

  const TMat3& m = spec.matrix;
  if (m.m[0][1] == 0 && m.m[1][0] == 0) {
    // Axis-aligned: a plain copy, the cheapest path on every renderer.
    const float x0 = std::min(pos[0].x, pos[2].x), x1 = std::max(pos[0].x, pos[2].x);
    const float y0 = std::min(pos[0].y, pos[2].y), y1 = std::max(pos[0].y, pos[2].y);
    if (x1 - x0 <= 0 || y1 - y0 <= 0) {
      if (call) mRecorder->pop_back();
      return;
    }
    int flip = SDL_FLIP_NONE;
    if (pos[1].x < pos[0].x) flip |= SDL_FLIP_HORIZONTAL;
    if (pos[3].y < pos[0].y) flip |= SDL_FLIP_VERTICAL;
    const SDL_Rect s{src.left, src.top, src.Width(), src.Height()};
    const SDL_FRect d{x0, y0, x1 - x0, y1 - y0};
    SDL_SetTextureColorMod(tex, col.r, col.g, col.b);
    SDL_SetTextureAlphaMod(tex, col.a);
    if (call) {
      call->kind = flip == SDL_FLIP_NONE ? TDrawCall::kCopy : TDrawCall::kCopyFlipped;
      const int sr[4] = {s.x, s.y, s.w, s.h};
      const float dr[4] = {d.x, d.y, d.w, d.h};
      std::copy(sr, sr + 4, call->src);
      std::copy(dr, dr + 4, call->dst);
      call->flip = flip;
    }
    // The software renderer mirrors through temporary surfaces: only when asked.
    if (flip == SDL_FLIP_NONE)
      SDL_RenderCopyF(R(mSdl), tex, &s, &d);
    else
      SDL_RenderCopyExF(R(mSdl), tex, &s, &d, 0, nullptr, SDL_RendererFlip(flip));
    return;
  }
  // Any other matrix: two textured triangles; the tint rides on the vertices.
  SDL_SetTextureColorMod(tex, 255, 255, 255);
  SDL_SetTextureAlphaMod(tex, 255);
  const float tw = float(pixels->GetWidth()), th = float(pixels->GetHeight());
  const float u0 = src.left / tw, u1 = src.right / tw, v0 = src.top / th, v1 = src.bottom / th;
  const SDL_FPoint uv[4] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
  SDL_Vertex v[4];
  for (int i = 0; i < 4; ++i) v[i] = SDL_Vertex{{pos[i].x, pos[i].y}, col, uv[i]};
  if (call) {
    call->kind = TDrawCall::kGeometry;
    for (int i = 0; i < 4; ++i) {
      const float xyuv[4] = {pos[i].x, pos[i].y, uv[i].x, uv[i].y};
      std::copy(xyuv, xyuv + 4, call->vertices[i]);
    }
  }
  static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
  SDL_RenderGeometry(R(mSdl), tex, v, 4, kIndices, 6);
}

void TRenderer::FillRect(const TRect& rect, TColor32 colour, bool blend) {
  if (!mSdl || mClipEmpty || rect.IsEmpty()) return;
  SDL_SetRenderDrawBlendMode(R(mSdl), blend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(R(mSdl), colour.Red(), colour.Green(), colour.Blue(), colour.Alpha());
  const TVec2 shift = mOrigin - mShift;
  const SDL_FRect rc{rect.left + shift.x, rect.top + shift.y, float(rect.Width()), float(rect.Height())};
  SDL_RenderFillRectF(R(mSdl), &rc);
  if (mRecorder) {
    TDrawCall call;
    call.kind = TDrawCall::kFill;
    call.blend = blend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE;
    const uint8_t rgba[4] = {colour.Red(), colour.Green(), colour.Blue(), colour.Alpha()};
    std::copy(rgba, rgba + 4, call.rgba);
    const float r[4] = {rc.x, rc.y, rc.w, rc.h};
    std::copy(r, r + 4, call.dst);
    mRecorder->push_back(call);
  }
}

void TRenderer::RecordTarget(TTextureRef texture, void* sdlTexture) {
  if (!mRecorder) return;
  TDrawCall call;
  call.kind = TDrawCall::kTarget;
  call.texture = texture;
  call.sdlTexture = sdlTexture;
  mRecorder->push_back(call);
}

bool TRenderer::BeginRenderTarget(TTextureRef target) {
  if (!mSdl || !target || target->IsEmpty() || !target->IsRenderTarget()) return false;
  if (target == mTarget) return false;
  for (const TargetState& s : mTargetStack)
    if (s.target == target) return false;
  SDL_Texture* tex = static_cast<SDL_Texture*>(target->GetSdlTexture());
  if (!tex || SDL_SetRenderTarget(R(mSdl), tex) != 0) return false;
  RecordTarget(target, tex);
  mTargetStack.push_back(TargetState{mTarget, mOrigin, mClips, mShift, mIn2d});
  mTarget = target;
  mOrigin = TPoint();
  mShift = TPoint();
  mClips.clear();
  mIn2d = false;
  // From here the device copy is ahead of the CPU copy.
  target->mCpuValid = false;
  ApplyClip();
  return true;
}

void TRenderer::EndRenderTarget() {
  if (mTargetStack.empty()) return;
  TargetState s = mTargetStack.back();
  mTargetStack.pop_back();
  mTarget = s.target;
  mOrigin = s.origin;
  mClips = s.clips;
  mShift = s.shift;
  mIn2d = s.in2d;
  if (mSdl) {
    SDL_Texture* prev = mTarget ? static_cast<SDL_Texture*>(mTarget->GetSdlTexture()) : nullptr;
    SDL_SetRenderTarget(R(mSdl), prev);
    RecordTarget(mTarget, prev);
  }
  ApplyClip();
}

TTextureRef TRenderer::RenderWindowToTexture(TWindow* window) {
  if (!window) return TTexture::Create(0, 0, true);
  const TRect wr = window->GetWindowRect();
  const int w = window->GetWidth(), h = window->GetHeight();
  TTextureRef tex = TTexture::Create(w, h, true);
  if (tex->IsEmpty() || !BeginRenderTarget(tex)) return tex;
  {
    T2dScope pass;
    FillRect(TRect(0, 0, w, h), TColor32(0u), false);
  }
  // The window keeps drawing at its screen place; the shift maps that place
  // onto the texture's top-left, clip included.
  mShift = TPoint(float(wr.left), float(wr.top));
  ApplyClip();
  window->DoDraw();
  EndRenderTarget();
  return tex;
}

bool TRenderer::ReadTarget(TTexture* texture, uint32_t* out) {
  if (!mSdl || !texture || !texture->mSdl) return false;
  SDL_Texture* prev = SDL_GetRenderTarget(R(mSdl));
  if (SDL_SetRenderTarget(R(mSdl), static_cast<SDL_Texture*>(texture->mSdl)) != 0) return false;
  const int rc =
      SDL_RenderReadPixels(R(mSdl), nullptr, SDL_PIXELFORMAT_ARGB8888, out, texture->GetWidth() * 4);
  SDL_SetRenderTarget(R(mSdl), prev);
  ApplyClip();  // switching targets resets SDL's clip
  return rc == 0;
}

void TRenderer::BeginFrame() {
  if (!mSdl) return;
  while (!mTargetStack.empty()) EndRenderTarget();
  mOrigin = TPoint();
  mClips.clear();
  ApplyClip();
  SDL_SetRenderDrawColor(R(mSdl), 0, 0, 0, 255);
  SDL_RenderClear(R(mSdl));
  mIn2d = true;
}

void TRenderer::EndFrame() {
  if (!mSdl) return;
  mIn2d = false;
  // Only headless frames are kept: reading back a GPU frame every time would
  // stall the display, and the tests that read pixels run headless.
  if (mHeadless) {
    mLastFrame.resize(size_t(kScreenW) * kScreenH);
    if (SDL_RenderReadPixels(R(mSdl), nullptr, SDL_PIXELFORMAT_ARGB8888, mLastFrame.data(), kScreenW * 4) !=
        0)
      mLastFrame.clear();
  }
  SDL_RenderPresent(R(mSdl));
}

TColor32 TRenderer::ReadPixel(int x, int y) const {
  if (mLastFrame.empty() || x < 0 || y < 0 || x >= kScreenW || y >= kScreenH) return TColor32(0u);
  return TColor32(mLastFrame[size_t(y) * kScreenW + x]);
}

bool TRenderer::Screenshot(const str& path) const {
  if (mLastFrame.empty()) {
    Report("%s: no frame to save", path.c_str());
    return false;
  }
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(mLastFrame.data()), kScreenW,
                                                      kScreenH, 32, kScreenW * 4, SDL_PIXELFORMAT_ARGB8888);
  const bool ok = s && IMG_SavePNG(s, path.c_str()) == 0;
  if (!ok) Report("%s: cannot save the screenshot: %s", path.c_str(), SDL_GetError());
  if (s) SDL_FreeSurface(s);
  return ok;
}

void TRenderer::LoseTargets() {
  TTexture::ForEachLive([](TTexture* t) { t->DropGpu(); });
  TPlatform::GetInstance()->NotifyTexturesLost();
}
