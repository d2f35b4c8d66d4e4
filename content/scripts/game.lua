-- The game's screen: the game window with its panel, and the application
-- window that carries the pointer over them in the game's own look.

-- A panel button that calls a global when clicked; the global may not be
-- bound (a mini-game's button before its game exists), so it is looked up
-- at the click.
local function call(name)
  return function() local f = _G[name] if f then f() end end
end

local ui = "images/ui/panel/"

-- An arrow that is live or greyed: its pictures are NAME_normal, _hover and
-- _off.
local function arrow(name, picture, x, y, w, h, command)
  return {type = "GInteractiveButton", name = name, x = x, y = y, w = w, h = h,
    {type = "GButton", name = "button", x = 0, y = 0, w = w, h = h,
      normal = ui .. picture .. "_normal.png", hover = ui .. picture .. "_hover.png", command = call(command)},
    {type = "TImage", name = "disabled_image", x = 0, y = 0, image = ui .. picture .. "_off.png"},
  }
end

-- A labelled button of the panel.
local function labelled(name, label, x, y, w, h, face, command)
  return {type = "GButton", name = name, x = x, y = y, w = w, h = h, label = label, size = 14,
    normal = ui .. face .. ".png", hover = ui .. face .. "_hover.png", command = call(command)}
end

-- The magic control: a selector per magic, and the magic's button (live
-- face, filling picture) over its greyed picture. The selectors lie below
-- the panel's globe, the button beside it, so that neither covers it.
local magics = {"fire", "health", "invisibility", "rainbow", "through_space", "through_time"}
local casts = {"Fire", "Health", "Invisibility", "Rainbow", "ThroughSpace", "ThroughTime"}
local magic_control = {type = "MagicControl", name = "magic_control", x = 0, y = 500, w = 172, h = 100}
for i, id in ipairs(magics) do
  local col, row = (i - 1) % 3, math.floor((i - 1) / 3)
  table.insert(magic_control, {type = "GButton", name = "b_" .. id, x = 8 + 28 * col, y = 44 + 28 * row,
    w = 26, h = 26, normal = ui .. "small_" .. id .. ".png", hover = ui .. "small_" .. id .. "_hover.png",
    command = call("on" .. casts[i] .. "SmallButtonClick")})
  table.insert(magic_control, {type = "TImage", name = "e_" .. id, x = 96, y = 18,
    image = ui .. "magic_" .. id .. "_grey.png"})
  table.insert(magic_control, {type = "MagicButton", name = "b_" .. id .. "_b", x = 96, y = 18, w = 64, h = 64,
    {type = "GButton", name = "button", x = 0, y = 0, w = 64, h = 64, normal = ui .. "magic_" .. id .. ".png",
      hover = ui .. "magic_" .. id .. "_hover.png", command = call("on" .. casts[i] .. "MagicButtonClick")},
    {type = "TImage", name = "disabled_image", x = 0, y = 0, image = ui .. "magic_" .. id .. "_fill.png"},
  })
end

Window{
  type = "TModalWindow", name = "thegame", x = 0, y = 0, w = 800, h = 600,
  {type = "GameWindow", name = "gamewnd", x = 0, y = 0, w = 800, h = 600,
    -- The panel covers the screen; what it shows lies in the bottom 100
    -- rows, and only its background's opaque pixels keep clicks from the
    -- scene. The inventories' cells come from game_screen.
    {type = "GamePanel", name = "game_panel", x = 0, y = 0, w = 800, h = 600,
      {type = "TImage", name = "alchemical_stub", x = 0, y = 500, image = ui .. "alchemical_stub.png"},
      {type = "GButton", name = "cook_book_button", x = 100, y = 522, w = 56, h = 56,
        normal = ui .. "cook_book.png", command = call("onMinigameButtonClick")},
      {type = "TImage", name = "inactive_quest_image", x = 626, y = 505, image = ui .. "inactive_quest.png"},
      labelled("btn_done", GetString("panel_done"), 174, 508, 56, 40, "btn_wide", "onDoneClick"),
      labelled("btn_clear", GetString("panel_clear"), 174, 552, 56, 40, "btn_wide", "onClearClick"),
      labelled("btn_cook_clear", GetString("panel_clear"), 174, 552, 56, 40, "btn_wide", "onClearClick"),
      labelled("btn_exit", GetString("panel_exit"), 708, 506, 86, 24, "btn_menu", "onExitFullScreenClick"),
      labelled("btn_exit_minigame", GetString("panel_exit"), 174, 552, 56, 40, "btn_wide", "onClearClick"),
      {type = "GButton", name = "tag_note_button", x = 100, y = 522, w = 56, h = 56,
        normal = ui .. "note.png", command = call("onMinigameButtonClick")},
      {type = "GButton", name = "plants_note_button", x = 100, y = 522, w = 56, h = 56,
        normal = ui .. "note.png", command = call("onMinigameButtonClick")},
      {type = "TProgressBar", name = "progress_bar_king_cook", x = 10, y = 540, w = 84, h = 20,
        Background = ui .. "bar_back.png", Foreground = ui .. "bar_front.png"},
      {type = "TImage", name = "img_done_disabled", x = 174, y = 508, image = ui .. "btn_wide_off.png"},
      {type = "TImage", name = "img_clear_disabled", x = 174, y = 552, image = ui .. "btn_wide_off.png"},
      arrow("btn_inventory_left", "inv_left", 234, 518, 18, 64, "onInventoryPrev"),
      arrow("btn_inventory_right", "inv_right", 604, 518, 18, 64, "onInventoryNext"),
      labelled("menu_button", GetString("panel_menu"), 708, 570, 86, 24, "btn_menu", "onMenuButtonClick"),
      arrow("btn_passage_bottom", "pass_bottom", 740, 544, 20, 20, "onBottomButtonClick"),
      arrow("btn_passage_left", "pass_left", 716, 524, 20, 20, "onLeftButtonClick"),
      arrow("btn_passage_right", "pass_right", 764, 524, 20, 20, "onRightButtonClick"),
      arrow("btn_passage_top", "pass_top", 740, 504, 20, 20, "onTopButtonClick"),
      {type = "GButton", name = "btn_globe", x = 176, y = 540, w = 54, h = 54,
        normal = ui .. "globe.png", command = call("onGlobeClick")},
      {type = "GButton", name = "btn_globe_rotation_left", x = 176, y = 508, w = 26, h = 26,
        normal = ui .. "globe_left.png", command = call("onGlobeLeftButtonClick")},
      {type = "GButton", name = "btn_globe_rotation_right", x = 204, y = 508, w = 26, h = 26,
        normal = ui .. "globe_right.png", command = call("onGlobeRightButtonClick")},
      magic_control,
      -- The book button: its look is the animation; the button on top of
      -- it only takes the click.
      {type = "GQuestBookControl", name = "quest_book_control", x = 626, y = 505, w = 76, h = 90,
        {type = "GVLuaObject", name = "anim", x = 0, y = 0, w = 76, h = 90,
          gvobject_name = "book_button", gvobject_state = "0"},
        {type = "GButton", name = "button", x = 0, y = 0, w = 76, h = 90, normal = ui .. "book_click.png",
          command = call("onBookButtonClick")},
      },
    },
  },
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = true},
}
