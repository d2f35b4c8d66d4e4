#include "TFont.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstring>
#include <map>
#include <pugixml.hpp>
#include <set>

#include "TPlatform.h"
#include "TReport.h"

namespace {

const char* const kFallbackFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kMapPath = "fonts/fonts.xml";

struct FontState {
  bool mapRead = false;
  bool mapMissing = false;   // said once already; unknown names need no message then
  std::map<str, str> files;  // name -> full path
  std::map<std::pair<str, int>, TTF_Font*> open;
  std::set<str> reported;
};

FontState& State() {
  static auto* state = new FontState();
  return *state;
}

void ReportOnce(const str& key, const str& message) {
  if (State().reported.insert(key).second) Report("%s", message.c_str());
}

void ReadMap() {
  FontState& st = State();
  if (st.mapRead) return;
  st.mapRead = true;
  pugi::xml_document doc;
  const str full = TPlatform::ResolvePath(kMapPath);
  const pugi::xml_parse_result res = doc.load_file(full.c_str());
  if (!res) {
    Report("%s: %s; every font is DejaVu Sans", kMapPath, res.description());
    st.mapMissing = true;
    return;
  }
  for (pugi::xml_node f : doc.child("fonts").children("font")) {
    const str name = f.attribute("name").as_string();
    const str file = f.attribute("file").as_string();
    if (name.empty() || file.empty()) {
      Report("%s: a font without name or file; skipped", kMapPath);
      continue;
    }
    st.files[name] = file[0] == '/' ? file : TPlatform::ResolvePath(file);
  }
}

TTF_Font* OpenFile(const str& file, int size) {
  FontState& st = State();
  auto key = std::make_pair(file, size);
  auto it = st.open.find(key);
  if (it != st.open.end()) return it->second;
  TTF_Font* f = TTF_OpenFont(file.c_str(), size);
  // A failure is remembered too, so a bad file is not retried every frame.
  st.open[key] = f;
  return f;
}

TTF_Font* FindFont(const str& name, int size) {
  if (!TTF_WasInit() && TTF_Init() != 0) {
    ReportOnce("#init", str("cannot start font rendering: ") + TTF_GetError());
    return nullptr;
  }
  if (size <= 0) {
    ReportOnce("#size:" + name,
               str::format("font \"%s\": size %d is not a size; using 16", name.c_str(), size));
    size = 16;
  }
  ReadMap();
  FontState& st = State();
  auto it = st.files.find(name);
  if (it == st.files.end()) {
    if (!st.mapMissing)
      ReportOnce("#name:" + name,
                 str::format("font \"%s\" is not in %s; using DejaVu Sans", name.c_str(), kMapPath));
  } else if (TTF_Font* f = OpenFile(it->second, size)) {
    return f;
  } else {
    ReportOnce("#file:" + it->second, str::format("%s: cannot open font \"%s\"; using DejaVu Sans",
                                                  it->second.c_str(), name.c_str()));
  }
  TTF_Font* f = OpenFile(kFallbackFile, size);
  if (!f) ReportOnce("#fallback", str::format("%s: cannot open the fallback font", kFallbackFile));
  return f;
}

// The renderer copies a text onto the stack, so a stored text of megabytes
// would end the game each time it is drawn. No screen shows more than a few
// thousand characters, so the rest is dropped.
const size_t kMaxTextBytes = 8192;

str Drawable(const str& text) {
  if (text.size() <= kMaxTextBytes) return text;
  str cut = text.cut_utf8(kMaxTextBytes);
  ReportOnce("#long",
             str::format("a text of %zu bytes is drawn cut to its first %zu", text.size(), cut.size()));
  return cut;
}

}  // namespace

TTextureRef TFont::RenderText(const str& font, int size, TColor32 colour, const str& text, int wrapWidth) {
  if (text.empty()) return TTexture::FromPixels(0, 0, nullptr);
  TTF_Font* f = FindFont(font, size);
  if (!f) return TTexture::FromPixels(0, 0, nullptr);
  const SDL_Color c{colour.Red(), colour.Green(), colour.Blue(), colour.Alpha()};
  // The wrapped call with width 0 still breaks at newlines, which the
  // one-line call would draw as boxes.
  SDL_Surface* s =
      TTF_RenderUTF8_Blended_Wrapped(f, Drawable(text).c_str(), c, wrapWidth > 0 ? Uint32(wrapWidth) : 0);
  if (!s) return TTexture::FromPixels(0, 0, nullptr);
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!argb) return TTexture::FromPixels(0, 0, nullptr);
  std::vector<uint32_t> px(size_t(argb->w) * argb->h);
  SDL_LockSurface(argb);
  for (int y = 0; y < argb->h; ++y)
    std::memcpy(&px[size_t(y) * argb->w], static_cast<const uint8_t*>(argb->pixels) + size_t(y) * argb->pitch,
                size_t(argb->w) * 4);
  SDL_UnlockSurface(argb);
  TTextureRef t = TTexture::FromPixels(argb->w, argb->h, px.data());
  SDL_FreeSurface(argb);
  return t;
}

TPoint TFont::MeasureText(const str& font, int size, const str& text) {
  if (text.empty()) return TPoint();
  TTF_Font* f = FindFont(font, size);
  int w = 0, h = 0;
  if (!f || TTF_SizeUTF8(f, Drawable(text).c_str(), &w, &h) != 0) return TPoint();
  return TPoint(float(w), float(h));
}

void TFont::Shutdown() {
  FontState& st = State();
  for (auto& kv : st.open)
    if (kv.second) TTF_CloseFont(kv.second);
  st.open.clear();
  st.files.clear();
  st.mapRead = false;
}
