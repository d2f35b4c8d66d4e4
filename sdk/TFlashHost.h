#pragma once
// Plays a Flash clip's stand-in: a numbered sequence of PNG frames beside the
// clip's name ("flash/intro.swf" plays "flash/intro_0001.png",
// "flash/intro_0002.png", ... up to the first number missing) at a fixed
// rate on the platform clock. A clip without frames has none, and counts as
// ended as soon as it starts.

#include <cstdint>

#include "TTexture.h"
#include "str.h"

class TFlashHost {
 public:
  // Frames advance every kFrameMs milliseconds of the platform clock.
  enum { kFrameMs = 40 };

  explicit TFlashHost(const str& flashFile);

  // `loop` starts again after the last frame; `visible` draws the frames;
  // `paused` holds the first frame until Start is called again.
  void Start(bool loop, bool visible, bool paused);
  void Stop();
  // The frame shown, from 0; 0 while there are no frames.
  int GetFrameNum() const;
  int GetTotalFrames() const { return mTotal; }
  bool IsPlaying() const { return mPlaying; }

  // Draws the current frame with its top-left corner at the origin.
  void Draw();

  // The path of frame `index` (from 0) of the clip named `flashFile`.
  static str FramePath(const str& flashFile, int index);

 private:
  str mFile;
  int mTotal = 0;
  bool mPlaying = false;
  bool mLoop = false;
  bool mVisible = false;
  bool mHeld = false;
  uint32_t mStartMs = 0;
  int mStoppedFrame = 0;
  int mLoadedFrame = -1;
  TTextureRef mTexture;  // the frame last drawn; older frames are let go
};
