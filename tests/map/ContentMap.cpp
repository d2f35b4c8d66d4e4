#include "ContentMap.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>

#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMask.h"
#include "items/OItemFactory.h"
#include "rules/actions/IAction.h"
#include "rules/actions/OActionFactory.h"
#include "rules/actions/OCompositeAction.h"
#include "rules/actions/OPassageAction.h"
#include "rules/timers/OGreeceScrollTimerController.h"
#include "rules/timers/OPoisonTimerController.h"
#include "rules/timers/OSleepingZoneTimerController.h"
#include "rules/timers/OTimersManager.h"
#include "rules/timers/OVethraTimerController.h"
#include "sdk/TImage.h"
#include "sdk/TTexture.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/OMagicRegistry.h"
#include "tools/panel/GGamePanel.h"
#include "tools/travel/GTravelSelection.h"
#include "tools/vethra/GVethraGlobe.h"
#include "visual/GVData.h"
#include "visual/GVXmlLoaders.h"
#include "visual/LuaUtils.h"

namespace {

const int kScreenW = 800, kScreenH = 600;
const char* const kVethraWorld = "vethra";
const char* const kBookScene = "basement_quest_book";
const char* const kRandomSleepingRoom = "random_sleeping_zone_room";
const char* const kExitFromBook = "exit_from_book";

// A scene of a world; an empty scene stands for the world's default scene,
// where the navigator sets the player down.
struct Place {
  str world, scene;
  bool operator<(const Place& o) const { return world != o.world ? world < o.world : scene < o.scene; }
};

str Describe(const Place& p) {
  return str::format("world \"%s\", scene \"%s\"", p.world.c_str(), p.scene.c_str());
}

enum WayKind {
  kClick,   // a mask or an item of the scene
  kArrow,   // a border action, through the panel's arrows or its exit button
  kOwnEnd,  // what the scene does itself: its start action, a game's end, a movie's end
  kWake,    // the health magic wakes the sleeping player
  kMap,     // the Vethra map
  kCast,    // travel by magic, the rainbow, the quest-book button
  kHazard,  // a timer running out
};

struct Way {
  WayKind kind;
  str what;
  std::vector<Place> targets;
  // Why a click way cannot be clicked; empty when it can.
  str hidden;
  // The navigator kind of a journey: "through_space" or "through_time".
  str journey;
};

struct StateMap {
  int number = 0;  // from 1, as an author counts them in the file
  int count = 0;
  bool endScreen = false;
  bool game = false;
  std::vector<Way> ways;
  // Ways that lead to a scene the world does not list.
  std::vector<str> broken;
};

struct SceneMap {
  Place place;
  bool common = false;
  std::vector<StateMap> states;
};

struct WorldMap {
  str start;
  std::set<str> listed;  // the world file's own scenes
};

str Join(const std::vector<str>& parts, const char* sep) {
  str out;
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? sep : "") + parts[i];
  return out;
}

std::vector<TXmlNode*> Children(const TXmlNode* node) {
  std::vector<TXmlNode*> out;
  for (size_t i = 0; node && i < node->GetChildCount(); ++i) out.push_back(node->GetChildAt(i));
  return out;
}

// ---- the panel ----

// The panel kind a state's scene shows, as the builders attach the panel;
// -1 for a scene without it (a movie, a mini-game without "panel").
int PanelKind(const TXmlNode* state) {
  static const std::map<str, int> kGameScenes = {
      {"", GGamePanel::kKindGame},
      {"tutorial", GGamePanel::kKindGame},
      {"sleeping", GGamePanel::kKindGame},
      {"alchemical_device", GGamePanel::kKindAlchemicalDevice},
      {"vethra", GGamePanel::kKindVethra},
      {"full_screen", GGamePanel::kKindFullScreen},
      {"game_over", GGamePanel::kKindGameOver},
      {"under_water", GGamePanel::kKindUnderwater},
      {"cook", GGamePanel::kKindCook},
      {"plants", GGamePanel::kKindPlants},
  };
  static const std::map<str, int> kMiniGames = {
      {"tag", GGamePanel::kKindTag},         {"mirrors", GGamePanel::kKindMirrors},
      {"fishing", GGamePanel::kKindFishing}, {"catapult", GGamePanel::kKindCatapult},
      {"cards", GGamePanel::kKindCards},     {"shooter", GGamePanel::kKindShooter},
  };
  str type = state->GetAttribute("type");
  if (type == "mini_game") {
    const TXmlNode* game = state->GetChild("mini_game");
    if (!game || game->GetAttribute("panel") != "true") return -1;
    auto it = kMiniGames.find(game->GetAttribute("id"));
    return it == kMiniGames.end() ? -1 : it->second;
  }
  auto it = kGameScenes.find(type);
  return it == kGameScenes.end() ? -1 : it->second;
}

bool ShowsArrows(int kind) {
  return kind == GGamePanel::kKindGame || kind == GGamePanel::kKindAlchemicalDevice ||
         kind == GGamePanel::kKindVethra || kind == GGamePanel::kKindUnderwater;
}

// The magic control stands where the arrows do.
bool ShowsMagic(int kind) {
  return ShowsArrows(kind);
}

bool ShowsBookButton(int kind) {
  return ShowsArrows(kind) || kind == GGamePanel::kKindFullScreen;
}

// Only the inventory scenes let the state switch magic (and with it the book
// button) on; the other scenes never allow it.
bool AllowsMagic(const TXmlNode* state) {
  static const std::set<str> kInventoryScenes = {
      "", "full_screen", "alchemical_device", "vethra", "under_water", "tutorial", "sleeping"};
  return kInventoryScenes.count(state->GetAttribute("type")) &&
         state->GetAttribute("magic_control_enabled") != "false";
}

// Where the panel takes a click before the scene's masks: its background,
// where opaque, and the mask the scene puts over it.
class PanelCover {
 public:
  explicit PanelCover(int kind) {
    OGameConfig* config = OGameConfig::GetInstance();
    TXmlNode* bgs = config->GetGameScreenChild("panel_bgs");
    TXmlNode* bg = bgs ? bgs->GetChild(BackgroundName(kind)) : nullptr;
    if (bg) mBackground.reset(LoadImageFromXml(bg));
    TXmlNode* masks = config->GetGameScreenChild("panel_masks");
    str maskName = MaskName(kind);
    TXmlNode* mask = masks && !maskName.empty() ? masks->GetChild(maskName) : nullptr;
    if (mask) mMask.reset(new OSimpleMask(maskName, LoadImageFromXml(mask), str(), nullptr));
  }

  bool Covers(int x, int y) const {
    if (mMask && mMask->HitTest(TPoint(x, y))) return true;
    if (!mBackground) return false;
    // As the panel's own hit test: only fully opaque pixels take the click.
    int dx = x - mBackground->GetX(), dy = y - mBackground->GetY();
    if (dx < 0 || dy < 0 || dx >= mBackground->GetWidth() || dy >= mBackground->GetHeight()) return false;
    TTextureRef texture = mBackground->GetTexture();
    return texture && !texture->IsEmpty() && dx < texture->GetWidth() && dy < texture->GetHeight() &&
           (texture->GetPixel(dx, dy) >> 24) == 0xFF;
  }

 private:
  static const char* BackgroundName(int kind) {
    switch (kind) {
      case GGamePanel::kKindFullScreen:
      case GGamePanel::kKindCards:
      case GGamePanel::kKindShooter:
        return "full_screen";
      case GGamePanel::kKindGameOver:
        return "gameover_screen";
      case GGamePanel::kKindCook:
        return "king_cook";
      case GGamePanel::kKindTag:
        return "alchemical";
      default:
        return "common";
    }
  }
  static str MaskName(int kind) {
    switch (kind) {
      case GGamePanel::kKindGame:
      case GGamePanel::kKindVethra:
      case GGamePanel::kKindUnderwater:
        return "common";
      case GGamePanel::kKindAlchemicalDevice:
        return "alchemical_device";
      case GGamePanel::kKindCook:
      case GGamePanel::kKindPlants:
        return "king_cook_minigame";
      default:
        return str();
    }
  }

  std::unique_ptr<TImage> mBackground;
  std::unique_ptr<OSimpleMask> mMask;
};

// ---- a state's masks ----

// The masks of a state in hit-test order, each as a plain mask over the
// image the scene builder gives it, so that its pixels are tested exactly as
// the masks manager tests them.
class StateMasks {
 public:
  StateMasks(const TXmlNode* state, const PanelCover* panel) : mPanel(panel) {
    const TXmlNode* list = state->GetChild("masks");
    std::vector<TImage*> images = LoadImagesFromXml(list);
    std::vector<TXmlNode*> nodes = Children(list);
    // One image a child, in order.
    for (size_t i = 0; i < images.size() && i < nodes.size(); ++i) {
      mNodes.push_back(nodes[i]);
      mTypes.push_back(nodes[i]->GetAttribute("type"));
      mMasks.emplace_back(new OSimpleMask(nodes[i]->GetAttribute("asset"), images[i], str(), nullptr));
    }
    for (size_t i = nodes.size(); i < images.size(); ++i) delete images[i];
  }

  size_t Count() const { return mMasks.size(); }
  TXmlNode* Node(size_t i) const { return mNodes[i]; }
  const str& Type(size_t i) const { return mTypes[i]; }
  str Name(size_t i) const { return mMasks[i]->GetName(); }

  // Empty when a player can click some pixel of one of the masks; otherwise
  // what lies over them. Simple, action and panel masks are always there and
  // take the click first; an item's mask comes and goes with its item, so it
  // hides nothing for sure.
  str Hidden(const std::vector<size_t>& which) const {
    std::set<str> over;
    bool seen = false;
    for (size_t i : which) {
      TImage* image = mMasks[i]->GetImage();
      if (!image) continue;
      int x0 = std::max(0, image->GetX()), y0 = std::max(0, image->GetY());
      int x1 = std::min(kScreenW, image->GetX() + image->GetWidth());
      int y1 = std::min(kScreenH, image->GetY() + image->GetHeight());
      for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
          const TPoint point(x, y);
          if (!mMasks[i]->HitTest(point)) continue;
          seen = true;
          bool covered = false;
          if (mPanel && mPanel->Covers(x, y)) {
            over.insert("the panel");
            covered = true;
          }
          for (size_t j = 0; j < i; ++j) {
            if (AlwaysThere(j) && mMasks[j]->HitTest(point)) {
              over.insert("mask \"" + Name(j) + "\"");
              covered = true;
            }
          }
          if (!covered) return str();
        }
      }
    }
    if (!seen) return "has no pixel on the screen";
    return "lies under " + Join(std::vector<str>(over.begin(), over.end()), " and ");
  }

 private:
  bool AlwaysThere(size_t i) const {
    return mTypes[i].empty() || mTypes[i] == "action" || mTypes[i] == "panel";
  }

  const PanelCover* mPanel;
  std::vector<TXmlNode*> mNodes;
  std::vector<str> mTypes;
  std::vector<std::unique_ptr<OSimpleMask>> mMasks;
};

// ---- actions ----

void CollectLinks(const IAction* action, std::vector<str>& links) {
  if (const OPassageAction* passage = dynamic_cast<const OPassageAction*>(action))
    links.push_back(passage->GetLink());
  else if (const OCompositeAction* composite = dynamic_cast<const OCompositeAction*>(action))
    for (const IAction* child : composite->GetActions()) CollectLinks(child, links);
}

// The scene links of the action the factory makes of `node`, composites
// followed.
std::vector<str> LinksOf(TXmlNode* node) {
  std::vector<str> links;
  if (!node) return links;
  std::unique_ptr<IAction> action(OActionFactory::CreateAction(node, nullptr));
  CollectLinks(action.get(), links);
  return links;
}

// Every element below `node` that the action factory makes into a scene
// change. The item kinds read their actions from elements of their own
// names; taking them all keeps a way of some kind from being missed, which
// would be reported as a fault that is not there.
void CollectLinksBelow(const TXmlNode* node, std::vector<str>& links) {
  for (TXmlNode* child : Children(node)) {
    for (const str& link : LinksOf(child)) links.push_back(link);
    CollectLinksBelow(child, links);
  }
}

void CollectNamesBelow(const TXmlNode* node, std::set<str>& names) {
  for (TXmlNode* child : Children(node)) {
    str name = child->GetAttribute("name");
    if (!name.empty()) names.insert(name);
    CollectNamesBelow(child, names);
  }
}

// ---- the map ----

class MapReader {
 public:
  std::vector<str> Run() {
    mGame = OGame::GetInstance();
    mConfig = OGameConfig::GetInstance();
    Place start{mGame->GetCurrentWorldId(), mGame->GetCurrentSceneId()};
    for (TXmlNode* entry : Children(mConfig->GetWorlds()->GetChild("destinations")))
      mWorldIds.push_back(entry->GetName());
    // Every world is open: whether the story opens it is the missions'
    // business, not the map's.
    for (const str& id : mWorldIds) OMagicRegistry::GetInstance()->SetValue(id, OMagicRegistry::kUnlocked);
    for (const str& id : mWorldIds) {
      if (!mGame->GoToWorld(id)) continue;
      WorldMap& world = mWorlds[id];
      world.start = mGame->GetCurrentSceneId();
      for (TXmlNode* scene : Children(mConfig->GetWorld()->GetChild("scenes")))
        world.listed.insert(scene->GetAttribute("name"));
    }
    for (const str& id : mWorldIds)
      if (mWorlds.count(id) && mGame->GoToWorld(id)) ReadWorld(id);
    Walk(start);
    ReportUnreached(start);
    ReportStates(start);
    return mProblems;
  }

 private:
  // ---- reading ----

  void ReadWorld(const str& world) {
    mThroughSpace = mGame->IsThroughSpaceWorld();
    mSpaceWorlds = mThroughSpace ? OfferedWorlds("through_space", true) : std::vector<str>();
    mTimeWorlds = OfferedWorlds("through_time", mGame->IsThroughTimeWorld());
    std::vector<str> names;
    for (TXmlNode* scene : Children(mConfig->GetWorld()->GetChild("scenes")))
      names.push_back(scene->GetAttribute("name"));
    for (TXmlNode* scene : Children(mConfig->GetCommonScenesCfg()))
      names.push_back(scene->GetAttribute("name"));
    for (const str& name : names) {
      Place place{world, name};
      if (mScenes.count(place)) continue;
      SceneMap& scene = mScenes[place];
      scene.place = place;
      scene.common = !mWorlds[world].listed.count(name);
      ReadScene(scene);
    }
  }

  // The worlds the navigator of a kind offers from the current world: its
  // selection built from the kind's script, as the navigator builds it.
  std::vector<str> OfferedWorlds(const char* kind, bool keepHome) {
    std::vector<str> worlds;
    TXmlNode* navigator = mConfig->GetGameScreenChild("navigator");
    TXmlNode* node = navigator ? navigator->GetChild(kind) : nullptr;
    TXmlNode* selection = node ? node->GetChild("travel_selection") : nullptr;
    if (!selection) return worlds;
    std::unique_ptr<GTravelSelection> window(
        LoadWindowFromScript<GTravelSelection>(selection->GetAttribute("file").c_str(), "travel_selection"));
    if (!window) return worlds;
    if (!keepHome) window->RemoveHomeLocation();
    for (GTravelLocation* location : window->GetLocations()) worlds.push_back(location->GetWorldId());
    return worlds;
  }

  void ReadScene(SceneMap& scene) {
    std::unique_ptr<TXmlNode> doc = mConfig->ReadScene(mConfig->GetWorld(), scene.place.scene);
    std::vector<TXmlNode*> states = Children(doc->GetChild("states"));
    // Any state of a scene may be met, in any order: the variables that
    // choose them change with the story, and a map that followed them would
    // have to play the story. That is enough for the faults sought here: a
    // state counted that the story never shows can only hide a missing way
    // in, never report one that is there, and each state is checked on its
    // own for a way out. Only the states the choice never reaches are left
    // out: with fewer than two leading states that have conditions the first
    // is always chosen, and a state after the first one without conditions
    // never is.
    size_t entries = OGameConfig::ReadStateConditions(doc.get()).size();
    size_t possible = std::min(states.size(), entries < 2 ? size_t(1) : entries);
    for (size_t i = 0; i < possible; ++i) {
      StateMap state;
      state.number = int(i) + 1;
      state.count = int(states.size());
      ReadState(scene.place, states[i], state);
      scene.states.push_back(std::move(state));
    }
  }

  const PanelCover* Cover(int kind) {
    if (kind < 0) return nullptr;
    std::unique_ptr<PanelCover>& cover = mCovers[kind];
    if (!cover) cover.reset(new PanelCover(kind));
    return cover.get();
  }

  void ReadState(const Place& place, TXmlNode* node, StateMap& state) {
    mPlace = place;
    mState = &state;
    str type = node->GetAttribute("type");
    int kind = PanelKind(node);
    bool magic = ShowsMagic(kind) && AllowsMagic(node);
    state.endScreen = type == "game_over";
    StateMasks masks(node, Cover(kind));

    for (size_t i = 0; i < masks.Count(); ++i)
      if (masks.Type(i) == "action")
        AddClick("mask \"" + masks.Name(i) + "\"", LinksOf(masks.Node(i)), [&] { return masks.Hidden({i}); });
    ReadItems(node, masks);

    static const char* const kBorders[] = {"left", "right", "top", "bottom", "exit"};
    TXmlNode* borders = node->GetChild("borders");
    for (int i = 0; borders && i < 5; ++i) {
      TXmlNode* border = borders->GetChild(kBorders[i]);
      bool shown = i < 4 ? ShowsArrows(kind) : kind == GGamePanel::kKindFullScreen;
      if (border && shown)
        AddWay(kArrow, str::format(i < 4 ? "the panel's %s arrow" : "the panel's %s button", kBorders[i]),
               LinksOf(border));
    }

    AddWay(kOwnEnd, "the scene's start action", LinksOf(node->GetChild("create_action")));
    if (type == "flash") AddWay(kOwnEnd, "the movie's end", LinksOf(node->GetChild("result_action")));
    ReadGameExits(node, type);

    if (type == "sleeping" && magic)
      AddWay(kWake, "waking by the health magic",
             OTimersManager::GetInstance()->GetSleepingZone()->GetScenes());
    if (type == "vethra" && magic && mThroughSpace) AddWay(kMap, "the Vethra map", MapScenes());
    if (magic) ReadCasts();
    if (ShowsBookButton(kind) && AllowsMagic(node)) AddWay(kCast, "the quest-book button", {kBookScene});
    ReadHazards();
  }

  void ReadItems(TXmlNode* node, const StateMasks& masks) {
    std::vector<str> names;
    for (TXmlNode* item : Children(node->GetChild("items"))) names.push_back(item->GetAttribute("name"));
    // What a passage or a container holds shows once it is open.
    std::set<str> seen;
    for (size_t i = 0; i < names.size(); ++i) {
      if (!seen.insert(names[i]).second) continue;
      TXmlNode* entry = OItemFactory::FindGuideNode(names[i]);
      if (!entry) continue;
      for (TXmlNode* held : Children(entry->GetChild("items"))) names.push_back(held->GetAttribute("name"));
      std::vector<str> links;
      CollectLinksBelow(entry, links);
      if (links.empty()) continue;
      // Clicked through the masks it names; an item that names none of the
      // scene's is used from the hand, anywhere.
      std::set<str> maskNames;
      CollectNamesBelow(entry, maskNames);
      std::vector<size_t> own;
      for (size_t m = 0; m < masks.Count(); ++m)
        if (maskNames.count(masks.Name(m))) own.push_back(m);
      AddClick("item \"" + names[i] + "\"", links, [&] { return own.empty() ? str() : masks.Hidden(own); });
    }
  }

  void ReadGameExits(TXmlNode* node, const str& type) {
    // The attributes each game reads its exit scenes from; the mini-games by
    // their id, cooking and plants by the scene's type.
    static const std::map<str, std::vector<const char*>> kExits = {
        {"fishing", {"id"}},          {"catapult", {"win", "lost"}}, {"tag", {"win", "lost"}},
        {"shooter", {"win", "lost"}}, {"mirrors", {"win", "lost"}},  {"cards", {"win", "lose"}},
        {"cook", {"win", "lose"}},    {"plants", {"win", "lose"}},
    };
    str game = type;
    if (type == "mini_game") {
      TXmlNode* mini = node->GetChild("mini_game");
      game = mini ? mini->GetAttribute("id") : str();
    } else if (type != "cook" && type != "plants") {
      return;
    }
    auto it = kExits.find(game);
    if (it == kExits.end()) return;
    mState->game = true;
    TXmlNode* exits = node->GetChild("exit_scene_id");
    for (const char* attribute : it->second) {
      str scene = exits ? exits->GetAttribute(attribute) : str();
      // An empty exit keeps the player in the game's scene.
      if (!scene.empty()) AddWay(kOwnEnd, str::format("the game's \"%s\" exit", attribute), {scene});
    }
  }

  void ReadCasts() {
    for (const str& world : mSpaceWorlds) AddJourney("through_space", world);
    for (const str& world : mTimeWorlds) AddJourney("through_time", world);
    if (!mThroughSpace)
      AddWay(kCast, "the through-space magic",
             LinksOf(mConfig->GetGameScreenChild("impossible_travel_space_action")));
    TXmlNode* rainbow = mConfig->GetGameScreenChild("rainbow_magic");
    if (rainbow && rainbow->GetAttribute("work_scene_id") == mPlace.scene)
      AddWay(kCast, "the rainbow magic", LinksOf(rainbow->GetChild("action")));
  }

  void AddJourney(const str& journey, const str& world) {
    mState->ways.push_back(Way{kCast,
                               "the journey " + journey + " to world \"" + world + "\"",
                               {Place{world, str()}},
                               str(),
                               journey});
  }

  void ReadHazards() {
    OTimersManager* timers = OTimersManager::GetInstance();
    AddWay(kHazard, "the poison", {timers->GetPoison()->GetGameOverScene()});
    if (mPlace.world == kVethraWorld)
      AddWay(kHazard, "the Vethra's air", {timers->GetVethra()->GetGameOverScene()});
    OUnderwaterTimerController* water = timers->GetUnderwater();
    if (Holds(water->GetScenes(), mPlace.scene))
      AddWay(kHazard, "the air under water", {water->GetGameOverScene()});
    OSleepingZoneTimerController* zone = timers->GetSleepingZone();
    if (Holds(zone->GetScenes(), mPlace.scene)) AddWay(kHazard, "falling asleep", {zone->GetSleepZone()});
    TXmlNode* scroll = timers->GetGreeceScroll()->GetGuideNode();
    AddWay(kHazard, "the scroll's time", LinksOf(scroll ? scroll->GetChild("completed_action") : nullptr));
  }

  static bool Holds(const std::vector<str>& list, const str& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
  }

  // The scenes of the current world that a cell of the Vethra map names:
  // "part_column_row" for each part the globe can turn to and each cell of
  // the grid.
  std::vector<str> MapScenes() {
    std::vector<str> scenes;
    TXmlNode* map = mConfig->GetGameScreenChild("vethra_map");
    TXmlNode* grid = map ? map->GetChild("map_grid") : nullptr;
    TXmlNode* parts = map ? map->GetChild("parts") : nullptr;
    int partCount = std::min(int(parts ? parts->GetChildCount() : 0), int(GVethraGlobe::kPositions));
    int columns = grid ? GVReadRangedAttribute("num_x", grid, 0, 1000, 0, "vethra_map/map_grid") : 0;
    int rows = grid ? GVReadRangedAttribute("num_y", grid, 0, 1000, 0, "vethra_map/map_grid") : 0;
    for (TXmlNode* scene : Children(mConfig->GetWorld()->GetChild("scenes"))) {
      str id = scene->GetAttribute("name");
      int part = -1, column = -1, row = -1;
      if (std::sscanf(id.c_str(), "%d_%d_%d", &part, &column, &row) != 3) continue;
      if (str::format("%d_%d_%d", part, column, row) != id) continue;
      if (part >= 0 && part < partCount && column >= 0 && column < columns && row >= 0 && row < rows)
        scenes.push_back(id);
    }
    return scenes;
  }

  // A click way, with what hides it: asked only of a way that leads somewhere,
  // since it reads the masks' pixels.
  template <class Hidden>
  void AddClick(const str& what, const std::vector<str>& links, Hidden hidden) {
    if (Way* way = AddWay(kClick, what, links)) way->hidden = hidden();
  }

  // A way to the scenes `links` name in the current world, or null when
  // they name none. A link the world does not list leads nowhere: the game
  // refuses it.
  Way* AddWay(WayKind kind, const str& what, const std::vector<str>& links) {
    Way way{kind, what, {}, str()};
    for (const str& link : links) {
      if (link.empty()) continue;
      if (link == kRandomSleepingRoom) {
        for (uint32_t r = 0; r < 1000; ++r) {
          str room = OPassageAction::PickSleepingRoom(mPlace.scene, r);
          if (room.empty() || (r > 0 && room == OPassageAction::PickSleepingRoom(mPlace.scene, 0))) break;
          way.targets.push_back(Place{mPlace.world, room});
        }
      } else if (link == kExitFromBook) {
        // Back where the book was opened, which was reached already; a
        // book entered some other way leads home.
        way.targets.push_back(Place{"home", "living_room"});
      } else if (mGame->HasScene(link)) {
        way.targets.push_back(Place{mPlace.world, link});
      } else if (kind != kHazard && kind != kCast) {
        mState->broken.push_back(way.what + " leads to scene \"" + link + "\", which world \"" +
                                 mPlace.world + "\" does not list");
      }
    }
    if (way.targets.empty()) return nullptr;
    mState->ways.push_back(way);
    return &mState->ways.back();
  }

  void Problem(const str& text) {
    mProblems.push_back(Describe(mPlace) + str::format(", state %d of %d: ", mState->number, mState->count) +
                        text);
  }

  // ---- checking ----

  Place Resolve(const Place& target) const {
    if (!target.scene.empty()) return target;
    auto it = mWorlds.find(target.world);
    return Place{target.world, it == mWorlds.end() ? str() : it->second.start};
  }

  void Walk(const Place& start) {
    std::vector<Place> queue{start};
    mReached.insert(start);
    while (!queue.empty()) {
      Place here = queue.back();
      queue.pop_back();
      auto scene = mScenes.find(here);
      if (scene == mScenes.end()) continue;
      for (const StateMap& state : scene->second.states)
        for (const Way& way : state.ways) {
          if (!way.hidden.empty()) continue;
          for (const Place& target : way.targets) {
            Place there = Resolve(target);
            if (!there.scene.empty() && mReached.insert(there).second) queue.push_back(there);
          }
        }
    }
  }

  void ReportUnreached(const Place& start) {
    std::set<str> commonReached;
    for (const Place& p : mReached)
      if (mScenes.count(p) && mScenes[p].common) commonReached.insert(p.scene);
    std::set<str> commonReported;
    for (const auto& entry : mScenes) {
      const SceneMap& scene = entry.second;
      if (mReached.count(scene.place)) continue;
      if (scene.common) {
        if (commonReached.count(scene.place.scene) || !commonReported.insert(scene.place.scene).second)
          continue;
        mProblems.push_back("common scene \"" + scene.place.scene + "\" cannot be reached from the start (" +
                            Describe(start) + ") in any world");
        continue;
      }
      mProblems.push_back(Describe(scene.place) + ": cannot be reached from the start (" + Describe(start) +
                          ")");
    }
  }

  // A common scene is a scene of every world, but a player meets it only in
  // the worlds whose ways lead there; the world's own scenes are checked
  // whether reached or not.
  void ReportStates(const Place& start) {
    std::set<std::pair<str, str>> arrivals;  // world, journey
    for (const auto& entry : mScenes)
      for (const StateMap& state : entry.second.states)
        for (const Way& way : state.ways)
          if (!way.journey.empty())
            for (const Place& target : way.targets) arrivals.insert({target.world, way.journey});
    for (auto& entry : mScenes) {
      if (entry.second.common && !mReached.count(entry.first)) continue;
      mPlace = entry.first;
      for (StateMap& state : entry.second.states) {
        mState = &state;
        for (const str& broken : state.broken) Problem(broken);
        ReportDeadEnd(start, arrivals);
      }
    }
  }

  // A state the player cannot leave by their own doing: through a click, an
  // arrow, the scene's own end, waking, the Vethra map, or a journey by the
  // magic that brought them into its world. Other magic does not count, nor
  // any journey in the world where the game starts: the magic may not be
  // earned yet. Nor does the quest book, which leads back where it was
  // opened. An end screen needs no way out.
  void ReportDeadEnd(const Place& start, const std::set<std::pair<str, str>>& arrivals) {
    std::vector<str> hidden;
    for (const Way& way : mState->ways) {
      bool journeyOut =
          !way.journey.empty() && mPlace.world != start.world && arrivals.count({mPlace.world, way.journey});
      if ((way.kind == kCast && !journeyOut) || way.kind == kHazard) continue;
      if (way.hidden.empty()) return;
      std::vector<str> to;
      for (const Place& target : way.targets) to.push_back("\"" + Resolve(target).scene + "\"");
      hidden.push_back(way.what + " (to " + Join(to, ", ") + ") " + way.hidden);
    }
    if (!hidden.empty())
      Problem("its only ways cannot be clicked: " + Join(hidden, "; "));
    else if (mState->game)
      Problem("the game names no scene to go to when it ends");
    else if (!mState->endScreen)
      Problem("has no way out");
  }

  OGame* mGame = nullptr;
  OGameConfig* mConfig = nullptr;
  std::vector<str> mWorldIds;
  std::map<str, WorldMap> mWorlds;
  std::map<Place, SceneMap> mScenes;
  std::map<int, std::unique_ptr<PanelCover>> mCovers;
  std::set<Place> mReached;
  std::vector<str> mProblems;
  // The world being read.
  bool mThroughSpace = false;
  std::vector<str> mSpaceWorlds, mTimeWorlds;
  // The state being read or checked.
  Place mPlace;
  StateMap* mState = nullptr;
};

}  // namespace

std::vector<str> CheckContentMap() {
  return MapReader().Run();
}
