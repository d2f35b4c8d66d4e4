#pragma once
// Textures, shared and cached by path. A missing or unreadable file gives an
// empty texture (size 0, never null) and one message on stderr.

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <vector>

#include "TMath.h"
#include "str.h"

class TTexture;
typedef boost::shared_ptr<TTexture> TTextureRef;

class TTexture : public boost::enable_shared_from_this<TTexture> {
 public:
  // Path relative to the content root. Flags are kept for callers and unused.
  static TTextureRef Get(const str& path, int flags = 0);
  // A created texture starts opaque black. Until it is locked it keeps no
  // pixels and is drawn as a black quad, so a scene's fade image costs
  // nothing to make.
  static TTextureRef Create(int w, int h, bool renderTarget = false);
  // A texture from ARGB pixels (pitch = w).
  static TTextureRef FromPixels(int w, int h, const uint32_t* argb);
  ~TTexture();

  int GetWidth() const { return mW; }
  int GetHeight() const { return mH; }
  bool IsEmpty() const { return mW == 0 || mH == 0; }
  const str& GetPath() const { return mPath; }
  bool IsRenderTarget() const { return mTarget; }

  // Centred on (x, y) of the current origin, scaled, rotated (radians).
  void Draw(float x, float y, float sx = 1, float sy = 1, float rotation = 0, int flags = 0);
  void Draw(const TDrawSpec& spec);

  // 32-bit ARGB pixels, `pitch` counted in pixels. Unlock uploads changes.
  bool Lock(uint32_t** pixels, int* pitch);
  void Unlock();
  // The ARGB value at (x, y), 0 outside.
  uint32_t GetPixel(int x, int y);

  // Internal.
  void* GetSdlTexture();                   // SDL_Texture*, made on demand
  bool IsBlank() const { return mBlank; }  // opaque black, no pixels kept yet
  void DropGpu();                          // the renderer lost its textures
  static void ClearCache();
  // Runs `fn` on every texture alive now (the renderer drops GPU copies).
  static void ForEachLive(void (*fn)(TTexture*));

 private:
  TTexture();
  str mPath;
  int mW = 0, mH = 0;
  bool mTarget = false;
  bool mLocked = false;
  bool mDirty = false;
  bool mBlank = false;
  // False while a render target's device copy holds drawing not yet read back.
  bool mCpuValid = true;
  std::vector<uint32_t> mPixels;  // CPU copy (empty for render targets until read back)
  void* mSdl = nullptr;
  bool ReadBack();
  void Upload();
  // Keeps the black pixels from now on, to be read or changed.
  void LeaveBlank();
  friend class TRenderer;
};
