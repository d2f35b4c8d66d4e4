// What a scene costs over its raw materials, on the bundled content's busiest
// scene (the attic: a full-screen scene with three items and five masks):
//  - one heartbeat plus one frame of the playing scene, against copying the
//    same textures straight through SDL_RenderCopy in a frame (the floor);
//  - building the scene as a scene change does (its document read, the
//    builder and director, then the scene deleted), against what no build
//    can avoid: parsing the same XML files with pugixml, decoding the same
//    images with SDL_image and making a texture of each on the renderer.
// Prints each ratio at the end.

#include <SDL_image.h>

#include <pugixml.hpp>
#include <set>
#include <vector>

#include "bench/GameBenchSetup.h"
#include "game/GFullScreenGameScene.h"
#include "game/OGameConfig.h"
#include "game/OSceneBuilder.h"
#include "game/OSceneDirector.h"
#include "sdk/TTexture.h"
#include "sdk/TXmlNode.h"

namespace {

const char* const kScene = "attic";
bench::Game gGame;

// Textures the heartbeat floor copies, and the images and XML files the
// build floor reads; gathered from the game itself.
std::vector<TTextureRef> gDrawn;
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

void BM_SceneHeartbeatAndDraw(benchmark::State& state) {
  if (!gGame.GoTo(kScene)) {
    state.SkipWithError("the scene does not play");
    return;
  }
  for (auto _ : state) {
    gGame.Beat(1);
    gGame.Draw();
  }
  TColor32 middle = TRenderer::GetInstance()->ReadPixel(400, 300);
  state.counters["drawn"] = middle.Red() + middle.Green() + middle.Blue() > 0 ? 1 : 0;
  // Every picture alive while the scene plays, but the masks' bitmaps, which
  // are only read for hit tests. Textures made in memory are left out too:
  // here that is the fade image, which a playing scene does not draw.
  gDrawn.clear();
  for (TTexture* t : LiveTextures())
    if (!t->IsEmpty() && !t->GetPath().empty() && t->GetPath().find("/masks/") == str::npos)
      gDrawn.push_back(t->shared_from_this());
}
BENCHMARK(BM_SceneHeartbeatAndDraw)->Unit(benchmark::kMicrosecond);

void BM_DrawSameTexturesFloor(benchmark::State& state) {
  struct Copy {
    SDL_Texture* texture;
    SDL_Rect to;
  };
  std::vector<Copy> textures;
  for (const TTextureRef& t : gDrawn) {
    SDL_Texture* sdl = static_cast<SDL_Texture*>(t->GetSdlTexture());
    if (!sdl) continue;
    // Each once, whole and unscaled, in the blend mode the game's last draw
    // left on it: what any frame of the scene must at least do.
    textures.push_back({sdl, SDL_Rect{0, 0, t->GetWidth(), t->GetHeight()}});
  }
  TRenderer* r = TRenderer::GetInstance();
  for (auto _ : state) {
    r->BeginFrame();
    for (const Copy& c : textures) SDL_RenderCopy(Sdl(), c.texture, nullptr, &c.to);
    r->EndFrame();
  }
  state.counters["textures"] = double(textures.size());
}
BENCHMARK(BM_DrawSameTexturesFloor)->Unit(benchmark::kMicrosecond);

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
  GFullScreenGameScene* full = static_cast<GFullScreenGameScene*>(scene);
  TXmlNode* guide = config->GetItemsGuide();
  for (const str& name : full->GetItemNames() ? *full->GetItemNames() : std::vector<str>()) {
    TXmlNode* item = guide ? guide->GetChild(name) : nullptr;
    TXmlNode* gvobject = item ? item->GetChild("gvobject") : nullptr;
    if (gvobject)
      gXmlFiles.push_back(TPlatform::ResolvePath("xml/" + gvobject->GetAttribute("name") + ".xml"));
  }
}

void BM_BuildScene(benchmark::State& state) {
  // Away from the scene, so building it decodes its pictures afresh rather
  // than sharing the ones on screen; the heartbeat's list of them would keep
  // them alive too.
  gDrawn.clear();
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
  reporter.PrintRatio("BM_SceneHeartbeatAndDraw", "BM_DrawSameTexturesFloor");
  reporter.PrintRatio("BM_BuildScene", "BM_ParseDecodeAndMakeTexturesFloor");
  gDrawn.clear();
  gGame.Stop();
  benchmark::Shutdown();
  return 0;
}
