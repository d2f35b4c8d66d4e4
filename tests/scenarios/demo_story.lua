-- The demo played as a story from a first start to its end: a player made,
-- options set, a new game, then each chapter in order. From the new game on
-- the story keeps to a player's means (player_only): clicks, keys and
-- ticks, walked from room to room by lib/walk.lua. Every chapter ends with
-- a quick save, a quit to the title and a load of that save, which must
-- bring back the same game (lib/story.lua). At the end the story has been
-- in every scene of every world.

local demo = require("lib.demo")
local story = require("lib.story")
local walk = require("lib.walk")
local pn = require("lib.panel")

local function wait_active(id) demo.wait_active(id, 400) end

-- Runs `f` without drawing its frames, for the long plays and waits whose
-- frames are never looked at; the next tick draws again.
local function undrawn(f)
  drawing(false)
  f()
  drawing(true)
end

-- Walks to `room`, takes the thing `name` lying at (x, y) there and keeps
-- it in the inventory.
local function fetch(room, name, x, y)
  walk.to(room)
  click(x, y)
  assert(held() == name, "took " .. tostring(held()) .. ", not " .. name)
  pn.store()
end

-- Every scene the player has stood in, as "world/scene", noted after each
-- tick: the story checks at its end that no scene of any world was missed.
local visited = {}
do
  local plain = tick
  function tick(n)
    plain(n)
    local id, state, _, _, world = scene()
    if id and state == 1 then visited[world .. "/" .. id] = true end
  end
end

-- A player and options: the sound effects off, kept for that player.
demo.enter_name("Story")
tick(10)
demo.click_on("btn_Options")
tick(10)
assert(top_modal() == "optionsmenu")
demo.click_on("mutesfx")
demo.click_on("btn_Ok")
tick(10)
assert(pref("soundoff", 0) == "1", "the option kept")

demo.start_new_game()
player_only()
assert(scene() == "living_room")

-- Chapter 1, the dark house: the coin and the light, each with its word;
-- the gallery's statue and letter, the parlour's talk and the nursery's
-- lesson with the matches; then the attic's feather, shell and ring, whose
-- words show each kind of hint window.
local house = require("lib.story_house")
house.living_room()
house.gallery()
house.parlour()
house.nursery()
house.attic()
assert(held() == "ring")
story.chapter_end(1)

-- Back in the living room, the quest book read: its first opening turns to
-- the first spread, and turning on reads the first page the chapter
-- unlocked; the other two are open to read.
local bk = require("lib.book")
walk.to("living_room")
bk.open()
bk.settle()
for _ = 1, 2 do
  bk.click(bk.RIGHT)
  bk.settle()
end
assert(page(3) == 2, "the chapter's first page read")
assert(page(4) == 1 and page(5) == 1 and page(6) == 0, "its other pages open, the next one not")
bk.click(bk.CLOSE)
wait_active("living_room")

-- Chapter 2, the tavern's games, across the lane from the garden: the card
-- sought twice wins the silver coin; two bottles shot win the medal.
local cards = require("lib.cards")
walk.to("tavern_cards")
assert(held() == nil, "the table takes what the hand held")
cards.choose(true)
cards.choose(true)
tick_until(function() return held() == "silver_coin" end, 100, "the silver coin")
assert(flag("cards_won") == "true")
wait_active("tavern")
require("lib.story_games").card_table()

pn.store()
walk.to("range")
tick_until(function() return top_modal() == "tutorial_shooter" end, 10, "the range's tutorial")
demo.click_on("tutorial_shooter_ok")
tick(1)
local range = minigame()
for i = 1, 2 do
  click(range.goals[i].x, range.goals[i].y)
  tick(3) -- the gun kicks
end
assert(held() == "tin_medal", tostring(held()))
assert(flag("shooter_won") == "true")
tick_until(function() return select(3, scene()) == 1 and select(2, scene()) == 1 end, 200, "the range won")
require("lib.story_games").range()
story.chapter_end(2)

-- Chapter 3, the tower's mirror board. The way to the tower is through the
-- workshop's door, whose key lies in the workshop's chest, into the dark
-- yard, which wants the living room's lamp in hand. Three mirrors on the
-- three required markers raise the sun.
pn.store()
fetch("living_room", "lamp", 320, 350)
walk.to("workshop")
click(190, 420) -- the chest
tick(10)
click(225, 415) -- the key inside
assert(held() == "brass_key2", tostring(held()))
click(700, 200) -- the door, unlocked
assert(held() == nil, "the key is used up")
tick_until(function() return select(2, item("door")) == "stUnlocked" end, 60, "the door open")
local mirrors = require("lib.mirrors")
walk.to("tower_mirrors")
for i = 1, 3 do mirrors.lay(i - 1, i) end
demo.click_on("btn_done")
tick_until(function() return held() == "sun_disc" end, 300, "the sun disc")
assert(flag("mirrors_won") == "true")
wait_active("tower")
require("lib.story_games").mirrors()
story.chapter_end(3)

-- Chapter 4, the pier and the herb garden: fishing until the key fish is
-- in the basket wins the pier key; the plan found in the herb garden and
-- its three herbs stored win the bundle.
local fishing = require("lib.fishing")
walk.to("pier_fishing")
undrawn(function() assert(fishing.until_key(), "no key fish in sixty casts") end)
fishing.done()
wait_active("pier")
assert(held() == "pier_key" and flag("fish_key") == "true", tostring(held()))

local plants = require("lib.plants")
pn.store()
fetch("herb_garden", "herb_plan", 620, 460)
walk.to("herb_garden_plants")
assert(panel().kind == 11, "the plants panel")
plants.close_tutorial()
for j, name in ipairs({"mint", "sage", "fern"}) do plants.store(name, j - 1) end
demo.click_on("btn_done")
tick_until(function() return held() == "herb_bundle" end, 60, "the herb bundle")
assert(flag("plants_won") == "true")
wait_active("herb_garden")
story.chapter_end(4)

-- Chapter 5, the kitchen and the tower's tiles. Three perfect dishes win
-- the feast token. The tiles, as the game deals them, are slid home and
-- turned upright: the tower key.
local kitchen = require("lib.kitchen")
local nursery = require("lib.nursery")
pn.store() -- the bundle kept in the inventory
assert(held() == nil)
walk.to("kitchen")
nursery.close_cook_tutorial()
kitchen.click("onion")
kitchen.click("board")
kitchen.click("knife")
kitchen.click("board")
click(400, 250) -- the knife back where it lay
tick(10)
kitchen.click("board_cut")
kitchen.click("mixer")
kitchen.put("tomato")
kitchen.done()
for _, name in ipairs({"carrot", "potato", "water"}) do kitchen.put(name) end
kitchen.stir()
kitchen.done()
kitchen.put("cherry")
kitchen.put("flour")
kitchen.done()
tick_until(function() return held() == "feast_token" end, 60, "the feast token")
assert(flag("cook_won") == "true")
wait_active("nursery")
kitchen.played("won") -- the played kitchen, a room with a door back

local tag = require("lib.tag")
walk.to("tower_tag")
tag.solve()
assert(held() == "tower_key" and flag("tag_won") == "true", tostring(held()))
wait_active("tower")
require("lib.story_games").tiles()
story.chapter_end(5)

-- Chapter 6, the laboratory: the crypt's flask filled at the cistern; the
-- still lit with a match of the laboratory's box; the water poured in with
-- the herb and the bark brews health, drawn off into the flask.
local lab = require("lib.lab")
pn.store()
walk.to("crypt")
lab.click("flask")
lab.click("cistern")
assert(item("flask") == "flask_water")
walk.to("lab")
pn.store()
lab.click("matches")
assert(held() == "lab_matches", tostring(held()))
click(400, 200, "right") -- a match struck
assert(item("lab_matches") == "match", "burning")
lab.click("device")
assert(flag("device_lit") == "true", "the still lit")
tick_until(function()
  local _, state, index, paused = scene()
  return state == 1 and index == 1 and not paused
end, 200, "the lit still")
click(700, 150) -- the box back on its shelf
assert(held() == nil, tostring(held()))
pn.take("flask")
lab.click("device")
assert(item("flask") == "flask_empty", "poured out")
pn.store()
tick(20)
for _, name in ipairs({"herb", "bark"}) do
  lab.click(name)
  lab.click("device")
  tick(16)
end
demo.click_on("btn_done")
-- The first potion brewed is the gift of travel, told in a big window.
require("lib.story_house").read_hint("big", "hint_gift_of_travel")
assert(flag("gift_of_travel") == "true", "the gift earned")
tick(60)
pn.take("flask")
lab.click("device")
assert(item("flask") == "flask_health_complete", "drawn off")
pn.store()
tick(60)
story.chapter_end(6)

-- Chapter 7, travel: the six magics the gift brought show on the panel.
-- Through space to the Vethra, where there is no air, as the player is told
-- on arrival: it runs out, and the end screen's box wakes the player on the
-- first field. Across the Vethra by its map to the red rock on the western
-- shore and to the spire in the red hills, where the globe's map is looked
-- at and put away.
local sm = require("lib.story_magic")
tick_until(function() return select(5, magic("through_time")) end, 200, "the magic buttons")
for _, id in ipairs({"fire", "health", "invisibility", "rainbow", "through_space", "through_time"}) do
  assert(select(5, magic(id)), id .. " shows")
end
sm.journey("through_space", {"vethra"}, 580)
assert(scene() == "0_0_0" and timers().vethra.state == 0, "on the Vethra, no air")
sm.hint(string_table("hint_vethra_no_air"))
undrawn(function() -- a minute of the Vethra's air
  sm.hint(string_table("hint_vethra_air_low"), 3000)
  tick_until(function() return scene() == "the_end" end, 1000, "the air run out")
end)
wait_active("the_end")
assert(select(5, scene()) == "vethra", "the Vethra's end")
walk.to("0_0_0")
sm.across("0_1_1")
sm.across("1_2_0")
demo.click_on("btn_globe")
tick(20)
assert(vethra().map == 2, "the map shown")
demo.click_on("btn_globe")
tick(20)
assert(vethra().map == 0, "the map put away")
story.chapter_end(7)

-- Home through space, by the Vethra's chooser.
sm.journey("through_space", {"home"}, 220)
assert(scene() == "living_room", scene())

-- Chapter 8, the harbour along the shore from the pier: five ships sunk
-- with the catapult save it; the way back leads to the pier.
local harbour = require("lib.story_harbour")
undrawn(harbour.save)
story.chapter_end(8)
harbour.leave()

-- Chapter 9, the hazards and the six magics at work: poisoned by the pond
-- and cured with health; a dive with the air running, up again in time;
-- the rainbow over the garden; the guard passed unseen; the workshop's pit
-- lit with the fire magic; through space to the Vethra, asleep by its
-- poppy and woken with health; through time to the old keep.

local pond = require("lib.pond")
walk.to("pond")
local grass = {pixel(unpack(pond.at.grass))}
pond.click("mushroom")
assert(held() == "mushroom", tostring(held()))
pond.click("mouth")
assert(held() == nil and timers().poison.state == 0, "eaten, and poisoned")
assert(indicators().poison.total == 20000)
tick(1)
assert(pixel(unpack(pond.at.grass)) < grass[1] / 2, "the pond fades from sight")
drawing(false) -- the wait's frames are never looked at
tick_until(function() return window("hint") == "shown" end, 800, "the poison's warning")
drawing(true)
local shown = indicators().poison
assert(shown.text == "indicator_poison_soon" and shown.alpha > 0.4, "the rim closes in: " .. shown.alpha)
sm.hint("The poison burns. Only health can help now.")
sm.cast("health")
shown = indicators().poison
assert(timers().poison.state == 1 and shown.total == 0 and shown.text == "", "cured, the rim gone")
sm.hint("The poison has left you.")

pond.click("water")
assert(timers().under_water.state == 0 and indicators().underwater.total == 30000, "under water, the air runs")
demo.wait_active("pond_under")
sm.hint(string_table("hint_under_water_air"))
tick(60)
local air = timers().under_water.left
assert(air < 30000 and indicators().underwater.alpha > 0, "the air runs out")
sm.cast("health")
assert(timers().under_water.left == air + 15000, "a breath more: " .. timers().under_water.left)
sm.hint("A breath of air, deep under water.")
click(400, 20) -- up to the surface
shown = indicators().underwater
assert(timers().under_water.state == 1 and shown.total == 0 and shown.alpha == 0, "out, the air stops")
demo.wait_active("pond")

pond.click("path")
demo.wait_active("garden")
sm.cast("rainbow")
assert(flag("rainbow_seen") == "true" and window("magic_effect") == "shown", "the rainbow shows")
sm.settle()

-- The guard fears nothing it can see: seen, it only looks at the dagger;
-- unseen, it gives its claw for it.
walk.to("gallery")
local function guard() return select(2, item("guard")) end
click(230, 470) -- the dagger
assert(held() == "dagger", tostring(held()))
click(250, 340)
assert(guard() == "look" and held() == "dagger", "seen: " .. tostring(guard()))
tick_until(function() return guard() ~= "look" end, 60, "the look's end")
sm.cast("invisibility")
local overlay = indicators().invisibility
assert(flag("are_we_invisible") == "true" and overlay.active and overlay.particles > 0, "unseen, shimmering")
sm.settle()
click(250, 340)
assert(held() == "claw" and flag("guard_cut") == "true", "unseen: " .. tostring(held()))
assert(item("dagger") == "dagger", "the dagger back on the floor")
drawing(false) -- the wait's frames are never looked at
tick_until(function() return flag("are_we_invisible") == "false" end, 1400, "seen again")
drawing(true)
overlay = indicators().invisibility
assert(not overlay.active and overlay.particles == 0, "the shimmer gone")

-- The fire takes the claw's place in the hand, lights the pit and, put
-- out, gives the claw back.
walk.to("workshop")
sm.cast("fire")
assert(held() == "fire_magic_item" and pointer() == "stItem", "the fire in hand")
assert(flag("__fire_magic_saved_item") == "claw" and flag("fire_on") == "true")
sm.settle()
click(625, 480) -- the pit
assert(flag("fire_lit") == "true" and held() == "fire_magic_item", "the pit lit, the fire still burning")
click(400, 300, "right")
tick(1)
assert(flag("fire_on") == "false" and held() == "claw", "put out: " .. tostring(held()))
local cell = pn.store()
assert(panel().main.items[panel().main.first + cell + 1] == "claw", "the claw kept: " .. pn.items())

-- Through space to the Vethra, where there is no air. The poppy picked on
-- its first field sends the player to sleep; the air waits in the dream,
-- the health wakes the player on the field, and the poppy laid down again
-- lets the player be.
local heard = #sounds()
sm.journey("through_space", {"vethra"}, 580)
assert(scene() == "0_0_0" and timers().vethra.state == 0, "on the Vethra, no air")
assert(indicators().vethra.total == 60000)
local no_air = false
for i = heard + 1, #sounds() do no_air = no_air or sounds()[i] == "sounds/no_air.wav" end
assert(no_air, "the player hears there is no air")
sm.hint(string_table("hint_vethra_no_air"))
click(80, 460) -- the poppy
assert(held() == "poppy" and flag("zone_on") == "true", "picked: " .. tostring(held()))
drawing(false) -- the wait's frames are never looked at
tick_until(function() return scene() == "dream" end, 1400, "asleep")
drawing(true)
assert(flag("are_we_sleeping") == "true" and flag("slept_scene") == "0_0_0")
demo.wait_active("dream")
air = timers().vethra.left
sm.hint("Deep in the dream, something calls you to wake.", 400)
assert(timers().vethra.left == air, "the air waits while the player sleeps")
sm.cast("health")
assert(flag("are_we_sleeping") == "false" and timers().sleeping_hints.state == 1, "woken")
tick_until(function() return scene() == "0_0_0" and not select(4, scene()) end, 200, "awake on the field")
click(300, 470) -- the poppy laid down
assert(held() == nil and flag("zone_on") == "false", "laid down: " .. tostring(held()))

-- Through time to the old keep, and home again the same way.
sm.journey("through_time", {"old_keep"}, 580)
assert(scene() == "keep_hall", scene())
assert(timers().vethra.state == 1 and indicators().vethra.total == 0, "off the Vethra the air stops")
sm.journey("through_time", {"home"}, 220)
assert(scene() == "living_room", scene())
story.chapter_end(9)

-- The Vethra made breathable: through space again, without air as before;
-- across to the spire, whose breath stone gives the Vethra its air for
-- good; home through space.
sm.journey("through_space", {"vethra"}, 580)
assert(scene() == "0_0_0" and timers().vethra.state == 0, "no air yet")
sm.hint(string_table("hint_vethra_no_air"))
sm.across("1_2_0")
click(330, 430) -- the breath stone
assert(flag("vethra_atmosphere") == "true", "breathable")
assert(timers().vethra.state == 1 and indicators().vethra.total == 0, "the air timer stopped, its rim gone")
sm.hint(string_table("hint_vethra_air_made"))
sm.journey("through_space", {"home"}, 220)
assert(scene() == "living_room", scene())

-- The end: out through the attic's skylight, the story done.
walk.to("attic")
assert(flag("story_done") == "null", "not before the end")
walk.to("the_end")
assert(flag("story_done") == "true", "the story is done")
assert(mission("the_story_ends"))
tick_until(function() return select(3, scene()) == 0 end, 20, "the end screen that tells the story's end")

-- Every scene of every world the game lists has been stood in.
local missed = {}
for world, scenes in pairs(worlds()) do
  for _, id in ipairs(scenes) do
    if not visited[world .. "/" .. id] then missed[#missed + 1] = world .. "/" .. id end
  end
end
table.sort(missed)
assert(#missed == 0, "never stood in: " .. table.concat(missed, ", "))
