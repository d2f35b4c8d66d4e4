#pragma once
// Fonts by name: fonts/fonts.xml in the content maps names to TTF files;
// unknown names and a missing map fall back to DejaVu Sans.

#include "TMath.h"
#include "TTexture.h"
#include "str.h"

class TFont {
public:
  // Renders text into a new texture (transparent background). `wrapWidth` > 0
  // wraps at that many pixels. Empty text gives an empty texture.
  static TTextureRef RenderText(const str& font, int size, TColor32 colour, const str& text,
                                int wrapWidth = 0);
  // Size in pixels of the text as one line.
  static TPoint MeasureText(const str& font, int size, const str& text);
  static void Shutdown();
};
