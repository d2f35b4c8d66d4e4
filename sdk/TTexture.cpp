#include "TTexture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "TPlatform.h"
#include "TRenderer.h"
#include "TReport.h"

namespace {

// Both live for the whole process and are never destroyed: textures held by
// other singletons die during static destruction, after these would have.
std::unordered_set<TTexture*>& LiveTextures() {
  static auto* live = new std::unordered_set<TTexture*>();
  return *live;
}

std::unordered_map<str, boost::weak_ptr<TTexture>>& Cache() {
  static auto* cache = new std::unordered_map<str, boost::weak_ptr<TTexture>>();
  return *cache;
}

// One message per path for the life of the process, however often content
// asks for the same missing file.
bool FirstFailure(const str& path) {
  static auto* reported = new std::set<str>();
  return reported->insert(path).second;
}

SDL_Renderer* Sdl() {
  return static_cast<SDL_Renderer*>(TRenderer::GetInstance()->GetSdlRenderer());
}

// Swaps the red and blue bytes of `n` pixels in place (RGBA to ARGB), four
// at a time in one vector register.
void SwapRedBlue(uint32_t* p, size_t n) {
  typedef uint32_t Quad __attribute__((vector_size(16)));
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    Quad q;
    std::memcpy(&q, p + i, sizeof q);
    q = (q & 0xFF00FF00u) | ((q & 0xFFu) << 16) | ((q >> 16) & 0xFFu);
    std::memcpy(p + i, &q, sizeof q);
  }
  for (; i < n; ++i) p[i] = (p[i] & 0xFF00FF00u) | ((p[i] & 0xFFu) << 16) | ((p[i] >> 16) & 0xFFu);
}

// The surface's pixels as ARGB rows without gaps; false for an empty picture.
// Pictures with alpha decode to 32-bit RGBA or ARGB, which are copied into
// one buffer and reordered there in place; SDL's general
// converter costs several times as much and needs a surface of its own.
bool ReadArgb(SDL_Surface* s, std::vector<uint32_t>& out) {
  if (s->w <= 0 || s->h <= 0) return false;
  const Uint32 format = s->format->format;
  if (format != SDL_PIXELFORMAT_ARGB8888 && format != SDL_PIXELFORMAT_ABGR8888) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    const bool ok = argb && ReadArgb(argb, out);
    if (argb) SDL_FreeSurface(argb);
    return ok;
  }
  const size_t w = size_t(s->w);
  out.clear();
  out.reserve(w * size_t(s->h));
  SDL_LockSurface(s);
  for (int y = 0; y < s->h; ++y) {
    const uint32_t* row =
        reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + size_t(y) * s->pitch);
    out.insert(out.end(), row, row + w);
  }
  SDL_UnlockSurface(s);
  if (format == SDL_PIXELFORMAT_ABGR8888) SwapRedBlue(out.data(), out.size());
  return true;
}

}  // namespace

TTextureRef TTexture::Get(const str& path, int flags) {
  auto& cache = Cache();
  auto it = cache.find(path);
  if (it != cache.end())
    if (TTextureRef alive = it->second.lock()) return alive;

  TTextureRef t(new TTexture());
  t->mPath = path;
  const str full = TPlatform::ResolvePath(path);
  SDL_Surface* loaded = path.empty() ? nullptr : IMG_Load(full.c_str());
  if (loaded && ReadArgb(loaded, t->mPixels)) {
    t->mW = loaded->w;
    t->mH = loaded->h;
  } else if (FirstFailure(path)) {
    if (path.empty())
      Report("an image without a path; drawn as nothing");
    else
      Report("%s: cannot read image (%s); drawn as nothing", path.c_str(), IMG_GetError());
  }
  if (loaded) SDL_FreeSurface(loaded);
  cache[path] = t;
  return t;
}

TTextureRef TTexture::Create(int w, int h, bool renderTarget) {
  TTextureRef t(new TTexture());
  if (w > 0 && h > 0) {
    t->mW = w;
    t->mH = h;
    if (renderTarget)
      t->mPixels.assign(size_t(w) * h, 0xFF000000u);
    else
      t->mBlank = true;
  }
  t->mTarget = renderTarget;
  return t;
}

TTextureRef TTexture::FromPixels(int w, int h, const uint32_t* argb) {
  TTextureRef t(new TTexture());
  if (w > 0 && h > 0 && argb) {
    t->mW = w;
    t->mH = h;
    t->mPixels.assign(argb, argb + size_t(w) * h);
  }
  return t;
}

TTexture::TTexture() {
  LiveTextures().insert(this);
}

TTexture::~TTexture() {
  DropGpu();
  LiveTextures().erase(this);
}

void TTexture::ForEachLive(void (*fn)(TTexture*)) {
  // Copied first: the callback may make or free textures.
  std::vector<TTexture*> all(LiveTextures().begin(), LiveTextures().end());
  for (TTexture* t : all)
    if (LiveTextures().count(t)) fn(t);
}

void TTexture::Draw(float x, float y, float sx, float sy, float rotation, int flags) {
  TDrawSpec spec;
  spec.matrix.Rotate(rotation);
  spec.matrix.Scale(sx, sy);
  spec.matrix.Translate(x, y);
  spec.flags = flags;
  Draw(spec);
}

void TTexture::Draw(const TDrawSpec& spec) {
  TRenderer::GetInstance()->DrawTexture(this, spec);
}

bool TTexture::Lock(uint32_t** pixels, int* pitch) {
  if (IsEmpty() || mLocked || !pixels || !pitch) return false;
  if (mTarget && !mCpuValid && !ReadBack()) return false;
  LeaveBlank();
  mLocked = true;
  *pixels = mPixels.data();
  *pitch = mW;
  return true;
}

void TTexture::Unlock() {
  if (!mLocked) return;
  mLocked = false;
  mDirty = true;
  Upload();
}

uint32_t TTexture::GetPixel(int x, int y) {
  if (x < 0 || y < 0 || x >= mW || y >= mH) return 0;
  if (mBlank) return 0xFF000000u;
  if (mTarget && !mCpuValid && !ReadBack()) return 0;
  return mPixels[size_t(y) * mW + x];
}

void* TTexture::GetSdlTexture() {
  if (IsEmpty()) return nullptr;
  if (!mSdl) {
    SDL_Renderer* r = Sdl();
    if (!r) return nullptr;
    SDL_Texture* tex = SDL_CreateTexture(
        r, SDL_PIXELFORMAT_ARGB8888, mTarget ? SDL_TEXTUREACCESS_TARGET : SDL_TEXTUREACCESS_STATIC, mW, mH);
    if (!tex) {
      if (FirstFailure("#gpu:" + mPath))
        Report("%s: cannot make a %dx%d texture (%s)", mPath.empty() ? "(created)" : mPath.c_str(), mW, mH,
               SDL_GetError());
      return nullptr;
    }
    SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
    mSdl = tex;
    // A target whose content was lost starts again from opaque black, as a
    // new one does, so nothing undefined ever shows.
    LeaveBlank();
    if (mPixels.empty()) mPixels.assign(size_t(mW) * mH, 0xFF000000u);
    mDirty = true;
    mCpuValid = true;
    Upload();
  }
  return mSdl;
}

void TTexture::LeaveBlank() {
  if (!mBlank) return;
  mBlank = false;
  mPixels.assign(size_t(mW) * mH, 0xFF000000u);
  mDirty = true;
}

void TTexture::Upload() {
  if (!mDirty || !mSdl || mPixels.empty()) return;
  SDL_UpdateTexture(static_cast<SDL_Texture*>(mSdl), nullptr, mPixels.data(), mW * 4);
  mDirty = false;
}

void TTexture::DropGpu() {
  if (mSdl) {
    // After SDL_DestroyRenderer the renderer has already freed it.
    if (Sdl()) SDL_DestroyTexture(static_cast<SDL_Texture*>(mSdl));
    mSdl = nullptr;
  }
  if (mTarget) {
    // What was drawn into a target lived only on the device.
    mPixels.clear();
    mCpuValid = false;
  }
  mDirty = !mPixels.empty();
}

bool TTexture::ReadBack() {
  if (!mTarget) return !mPixels.empty();
  if (mCpuValid) return true;
  if (!mSdl) {
    // Never drawn on the device: its content is what it started with.
    mPixels.assign(size_t(mW) * mH, 0xFF000000u);
    mCpuValid = true;
    return true;
  }
  mPixels.resize(size_t(mW) * mH);
  if (!TRenderer::GetInstance()->ReadTarget(this, mPixels.data())) return false;
  mCpuValid = true;
  return true;
}

void TTexture::ClearCache() {
  Cache().clear();
}
