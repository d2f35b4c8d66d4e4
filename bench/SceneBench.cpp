// What a scene costs over its raw materials, on the bundled content:
//  - one heartbeat plus one frame of the busiest scene of each kind (the
//    gallery with the panel, every magic shown and a poison counting down; the catapult with five
//    ships afloat; the kitchen with its cook book open), against replaying
//    exactly the SDL calls one of its frames made: the same textures,
//    rectangles, colour and alpha, blend modes, angles, clips and targets
//    (the floor);
//  - building the gallery as a scene change does (its document read, the
//    builder and director, then the scene deleted), against what no build
//    can avoid: parsing the same XML files with pugixml, decoding the same
//    images with SDL_image and making a texture of each on the renderer.
// Prints each ratio at the end. `--benchmark_min_time=0.01` gives a short run.

#include <SDL_image.h>

#include <pugixml.hpp>
#include <set>
#include <vector>

#include "bench/GameBenchSetup.h"
#include "game/GFullScreenGameScene.h"
#include "game/OFlagsRegistry.h"
#include "game/OGameConfig.h"
#include "game/OSceneBuilder.h"
#include "game/OSceneDirector.h"
#include "minigames/catapult/GCatapultScene.h"
#include "rules/timers/OPoisonTimerController.h"
#include "rules/timers/OTimersManager.h"
#include "visual/GButton.h"
#include "tools/magic/GMagicControl.h"
#include "minigames/cook/GCookScene.h"
#include "sdk/TModalWindow.h"
#include "sdk/TTexture.h"
#include "sdk/TXmlNode.h"

namespace {

const char* const kScene = "gallery";
bench::Game gGame;

// The images and XML files the build floor reads; gathered from the game.
std::vector<std::string> gImages;
std::vector<std::string> gXmlFiles;

std::set<TTexture*> LiveTextures() {
  static std::set<TTexture*>* into;
  std::set<TTexture*> live;
  into = &live;
  TTexture::ForEachLive([](TTexture* t) { into->insert(t); });
  return live;
}

SDL_Renderer* Sdl() {
  return static_cast<SDL_Renderer*>(TRenderer::GetInstance()->GetSdlRenderer());
}

TWindowManager* Wm() {
  return TWindowManager::GetInstance();
}

// Closes the mini-game's tutorial as its OK button does, once it shows; a
// scene entered again shows none.
bool CloseTutorial() {
  for (int i = 0; i < 60; ++i) {
    TModalWindow* top = Wm()->GetTopModalWindow();
    if (top && top->GetName().find("tutorial") != str::npos) {
      Wm()->PopModal(top);
      return Wm()->DoLuaString(gGame.Window(), "unlockCurrentScene()");
    }
    gGame.Beat(1);
  }
  return true;
}

int MagicsShown() {
  GGamePanel* panel = gGame.Window()->GetPanel();
  GMagicControl* control = panel ? panel->GetMagicControl() : nullptr;
  int shown = 0;
  for (int i = 0; control && i < GMagicControl::kMagicCount; ++i) {
    GButton* button = control->GetSmallButton(i);
    shown += button && button->GetParent() ? 1 : 0;
  }
  return shown;
}

// Each kind's busiest scene, made ready to play; false if it cannot be.
bool ReadyGallery() {
  if (!gGame.GoTo("gallery")) return false;
  // Every magic earned: the panel shows them once it next unlocks.
  OFlagsRegistry::GetInstance()->SetValue("gift_of_travel", "true");
  gGame.Beat(2);
  gGame.Window()->ShowLocalMenu();
  gGame.Beat(1);
  if (TModalWindow* top = Wm()->GetTopModalWindow()) Wm()->DoLuaString(top, "CloseWindow() unlockCurrentScene()");
  // A slow poison: its indicator counts down and the scene darkens.
  OTimersManager::GetInstance()->GetPoison()->StartWithTime(3600);
  gGame.Beat(60);
  return MagicsShown() == GMagicControl::kMagicCount;
}

GCatapultScene* Catapult() {
  return dynamic_cast<GCatapultScene*>(gGame.Window()->GetCurrentScene());
}

int ShipsAfloat() {
  GCatapultScene* catapult = Catapult();
  return catapult ? int(catapult->GetField().GetShips().size()) : -1;
}

// The game's own schedule lets the first ships reach the shore before the
// fifth sails: the rest are launched at once, from the far edge.
bool ReadyCatapult() {
  if (!gGame.GoTo("hall") || !gGame.GoTo("harbour_catapult") || !CloseTutorial()) return false;
  while (ShipsAfloat() >= 0 && ShipsAfloat() < 5)
    if (!Catapult()->GetField().LaunchShip(0)) break;
  return ShipsAfloat() >= 5;
}

bool BookShown() {
  GCookScene* kitchen = dynamic_cast<GCookScene*>(gGame.Window()->GetCurrentScene());
  return kitchen && kitchen->IsBookShown();
}

// The cook book opens from the panel's button, as a click on it does.
bool ReadyKitchen() {
  if (!gGame.GoTo("kitchen") || !CloseTutorial()) return false;
  gGame.Beat(2);
  if (!Wm()->DoLuaString(gGame.Window(), "onMinigameButtonClick()")) return false;
  gGame.Beat(2);
  return BookShown();
}

struct Kind {
  const char* name;
  bool (*ready)();
  // Whether the scene still is what is measured (the catapult's ships sail
  // on, are sunk or reach the shore).
  bool (*still)();
};
const Kind kKinds[] = {
    {"gallery", &ReadyGallery, [] { return OGame::GetInstance()->GetCurrentSceneId() == str("gallery"); }},
    {"catapult", &ReadyCatapult, [] { return ShipsAfloat() >= 5; }},
    {"kitchen_book", &ReadyKitchen, &BookShown},
};
std::vector<TDrawCall> gRecorded[3];

void BM_FrameHeartbeatAndDraw(benchmark::State& state) {
  const Kind& kind = kKinds[state.range(0)];
  state.SetLabel(kind.name);
  if (!kind.ready()) {
    state.SkipWithError("the scene does not play");
    return;
  }
  for (auto _ : state) {
    if (!kind.still()) {
      state.PauseTiming();
      const bool again = kind.ready();
      state.ResumeTiming();
      if (!again) {
        state.SkipWithError("the scene cannot be made ready again");
        return;
      }
    }
    gGame.Beat(1);
    gGame.Draw();
  }
  // One more frame, its drawing recorded for the floor.
  gGame.Beat(1);
  TRenderer* r = TRenderer::GetInstance();
  std::vector<TDrawCall>& calls = gRecorded[state.range(0)];
  calls.clear();
  r->BeginFrame();
  r->SetRecorder(&calls);
  gGame.Window()->DoDraw();
  r->SetRecorder(nullptr);
  r->EndFrame();
  state.counters["calls"] = double(calls.size());
}
BENCHMARK(BM_FrameHeartbeatAndDraw)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void Replay(const std::vector<TDrawCall>& calls) {
  SDL_Renderer* sdl = Sdl();
  for (const TDrawCall& c : calls) {
    SDL_Texture* tex = static_cast<SDL_Texture*>(c.sdlTexture);
    switch (c.kind) {
      case TDrawCall::kClip: {
        const SDL_Rect rc{int(c.dst[0]), int(c.dst[1]), int(c.dst[2]), int(c.dst[3])};
        SDL_RenderSetClipRect(sdl, &rc);
        break;
      }
      case TDrawCall::kTarget:
        SDL_SetRenderTarget(sdl, tex);
        break;
      case TDrawCall::kFill: {
        SDL_SetRenderDrawBlendMode(sdl, SDL_BlendMode(c.blend));
        SDL_SetRenderDrawColor(sdl, c.rgba[0], c.rgba[1], c.rgba[2], c.rgba[3]);
        const SDL_FRect rc{c.dst[0], c.dst[1], c.dst[2], c.dst[3]};
        SDL_RenderFillRectF(sdl, &rc);
        break;
      }
      case TDrawCall::kCopy:
      case TDrawCall::kCopyFlipped: {
        SDL_SetTextureBlendMode(tex, SDL_BlendMode(c.blend));
        SDL_SetTextureColorMod(tex, c.rgba[0], c.rgba[1], c.rgba[2]);
        SDL_SetTextureAlphaMod(tex, c.rgba[3]);
        const SDL_Rect s{c.src[0], c.src[1], c.src[2], c.src[3]};
        const SDL_FRect d{c.dst[0], c.dst[1], c.dst[2], c.dst[3]};
        if (c.kind == TDrawCall::kCopy)
          SDL_RenderCopyF(sdl, tex, &s, &d);
        else
          SDL_RenderCopyExF(sdl, tex, &s, &d, 0, nullptr, SDL_RendererFlip(c.flip));
        break;
      }
      case TDrawCall::kGeometry: {
        SDL_SetTextureBlendMode(tex, SDL_BlendMode(c.blend));
        SDL_SetTextureColorMod(tex, 255, 255, 255);
        SDL_SetTextureAlphaMod(tex, 255);
        const SDL_Color col{c.rgba[0], c.rgba[1], c.rgba[2], c.rgba[3]};
        SDL_Vertex v[4];
        for (int i = 0; i < 4; ++i)
          v[i] = SDL_Vertex{{c.vertices[i][0], c.vertices[i][1]}, col, {c.vertices[i][2], c.vertices[i][3]}};
        static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
        SDL_RenderGeometry(sdl, tex, v, 4, kIndices, 6);
        break;
      }
    }
  }
}

void BM_FrameReplayFloor(benchmark::State& state) {
  const Kind& kind = kKinds[state.range(0)];
  state.SetLabel(kind.name);
  const std::vector<TDrawCall>& calls = gRecorded[state.range(0)];
  if (calls.empty()) {
    state.SkipWithError("no frame recorded");
    return;
  }
  TRenderer* r = TRenderer::GetInstance();
  for (auto _ : state) {
    r->BeginFrame();
    Replay(calls);
    r->EndFrame();
  }
  state.counters["calls"] = double(calls.size());
}
BENCHMARK(BM_FrameReplayFloor)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The scene as the game window builds it on a change of scene.
GScene* BuildScene() {
  OGame* game = OGame::GetInstance();
  game->SetCurrentScene(kScene);
  ISceneBuilder* builder = CreateSceneBuilder(game->GetCurrentStateNode(), nullptr);
  ISceneDirector* director = CreateSceneDirector(builder);
  director->Direct();
  GScene* scene = builder->GetScene();
  delete director;
  delete builder;
  return scene;
}

void GatherBuildMaterials(GScene* scene, const std::set<TTexture*>& before) {
  gImages.clear();
  for (TTexture* t : LiveTextures())
    if (!before.count(t) && !t->GetPath().empty()) gImages.push_back(TPlatform::ResolvePath(t->GetPath()));
  gXmlFiles.clear();
  OGameConfig* config = OGameConfig::GetInstance();
  gXmlFiles.push_back(TPlatform::ResolvePath(config->GetLayoutsPath() + "home/" + kScene + ".xml"));
  // The items the state lists, and those a full-screen scene names.
  std::vector<str> names;
  TXmlNode* state = OGame::GetInstance()->GetCurrentStateNode();
  if (TXmlNode* items = state ? state->GetChild("items") : nullptr)
    for (size_t i = 0; i < items->GetChildCount(); ++i) names.push_back(items->GetChildAt(i)->GetAttribute("name"));
  GFullScreenGameScene* full = dynamic_cast<GFullScreenGameScene*>(scene);
  if (full && full->GetItemNames()) names.insert(names.end(), full->GetItemNames()->begin(), full->GetItemNames()->end());
  TXmlNode* guide = config->GetItemsGuide();
  for (const str& name : names) {
    TXmlNode* item = guide ? guide->GetChild(name) : nullptr;
    TXmlNode* gvobject = item ? item->GetChild("gvobject") : nullptr;
    if (gvobject)
      gXmlFiles.push_back(TPlatform::ResolvePath("xml/" + gvobject->GetAttribute("name") + ".xml"));
  }
}

void BM_BuildScene(benchmark::State& state) {
  // Away from the scene, so building it decodes its pictures afresh rather
  // than sharing the ones on screen; the recorded frames would keep them
  // alive too.
  for (std::vector<TDrawCall>& calls : gRecorded) calls.clear();
  if (!gGame.GoTo("hall")) {
    state.SkipWithError("cannot leave the scene");
    return;
  }
  std::set<TTexture*> before = LiveTextures();
  GScene* first = BuildScene();
  if (!first) {
    state.SkipWithError("the scene cannot be built");
    return;
  }
  GatherBuildMaterials(first, before);
  delete first;
  for (auto _ : state) delete BuildScene();
  OGame::GetInstance()->SetCurrentScene("hall");
}
BENCHMARK(BM_BuildScene)->Unit(benchmark::kMicrosecond);

void BM_ParseDecodeAndMakeTexturesFloor(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& file : gXmlFiles) {
      pugi::xml_document doc;
      benchmark::DoNotOptimize(doc.load_file(file.c_str()));
    }
    for (const std::string& file : gImages) {
      SDL_Surface* surface = IMG_Load(file.c_str());
      SDL_Texture* texture = surface ? SDL_CreateTextureFromSurface(Sdl(), surface) : nullptr;
      benchmark::DoNotOptimize(texture);
      if (texture) SDL_DestroyTexture(texture);
      SDL_FreeSurface(surface);
    }
  }
  state.counters["xml"] = double(gXmlFiles.size());
  state.counters["images"] = double(gImages.size());
}
BENCHMARK(BM_ParseDecodeAndMakeTexturesFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!gGame.Start()) {
    std::fprintf(stderr, "bench_SceneBench: the game did not start\n");
    return 1;
  }
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (int i = 0; i < 3; ++i) {
    std::printf("%s: ", kKinds[i].name);
    const std::string arg = "/" + std::to_string(i);
    reporter.PrintRatio(("BM_FrameHeartbeatAndDraw" + arg).c_str(), ("BM_FrameReplayFloor" + arg).c_str());
  }
  reporter.PrintRatio("BM_BuildScene", "BM_ParseDecodeAndMakeTexturesFloor");
  for (std::vector<TDrawCall>& calls : gRecorded) calls.clear();
  gGame.Stop();
  benchmark::Shutdown();
  return 0;
}
