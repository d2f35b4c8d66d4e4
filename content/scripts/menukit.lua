-- The pieces the menu scripts build their windows from. Each of them runs
-- this first (DoModal runs a script; this one opens no window). Positions
-- are relative to the parent window, in pixels.
MenuKit = {}

local light = {250, 236, 200}
local gold = {232, 206, 150}

-- A menu button, 180 by 44, labelled with the string `label`.
function MenuKit.button(name, x, y, label, command)
  return {type = "TButton", name = name, x = x, y = y, w = 180, h = 44,
    normal = "images/button_normal.png", hover = "images/button_hover.png",
    pressed = "images/button_pressed.png",
    label = GetString(label), size = 20, color = light, command = command}
end

-- `count` rows of a list, 300 by 36, named prefix0, prefix1 ...: toggle
-- buttons whose window switches on the chosen one. `command(i)`, when
-- given, makes each row's command.
function MenuKit.rows(list, prefix, count, x, y, command)
  for i = 0, count - 1 do
    list[#list + 1] = {type = "TButton", name = prefix .. i, x = x, y = y + i * 42, w = 300, h = 36,
      toggle = true, normal = "images/ui/slot_normal.png", hover = "images/ui/slot_hover.png",
      pressed = "images/ui/slot_on.png", size = 18, color = light,
      command = command and command(i) or nil}
  end
end

function MenuKit.text(name, x, y, w, h, text, size, align)
  return {type = "TText", name = name, x = x, y = y, w = w, h = h, text = text or "",
    size = size or 18, color = gold, align = align or "left"}
end

-- A title across the top of a panel `w` wide.
function MenuKit.title(name, w, key)
  return MenuKit.text(name, 0, 18, w, 30, GetString(key), 24, "center")
end

-- A one-line text field, 300 wide, with its frame.
function MenuKit.field(list, name, x, y, maxlen)
  list[#list + 1] = {type = "TImage", name = name .. "_frame", x = x, y = y, image = "images/ui/field.png"}
  list[#list + 1] = {type = "TEditText", name = name, x = x + 8, y = y + 6, w = 284, h = 22,
    size = 18, color = light, maxlen = maxlen or 24}
end

function MenuKit.slider(name, x, y)
  return {type = "TSlider", name = name, x = x, y = y, w = 300, h = 24,
    track = "images/ui/slider_track.png", thumb = "images/ui/slider_thumb.png"}
end

-- A check box with its label to the right.
function MenuKit.check(list, name, x, y, label, command)
  list[#list + 1] = {type = "TButton", name = name, x = x, y = y, w = 28, h = 28, toggle = true,
    normal = "images/ui/check_off.png", hover = "images/ui/check_hover.png",
    pressed = "images/ui/check_on.png", command = command}
  list[#list + 1] = MenuKit.text(name .. "_label", x + 40, y + 2, 260, 26, GetString(label), 20)
end

-- The positions of a panel that slides in from the right edge to (x, y).
function MenuKit.slide_from_right(x, y)
  local pos = {}
  for _, f in ipairs({1, 0.7, 0.45, 0.25, 0.12, 0.04, 0}) do
    pos[#pos + 1] = {x + math.floor((800 - x) * f), y}
  end
  return pos
end

-- Appends every entry of `from` to the array part of `to`; returns `to`.
function MenuKit.add(to, from)
  for _, v in ipairs(from) do to[#to + 1] = v end
  return to
end

-- A full-screen modal window named `name` holding `children`, with the
-- application window that carries the pointer on top.
function MenuKit.screen(name, children)
  local modal = {type = "TModalWindow", name = name, x = 0, y = 0, w = 800, h = 600}
  MenuKit.add(modal, children)
  modal[#modal + 1] = {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600}
  return modal
end

-- A game's lesson: a dialog named `name` with the strings `titleKey` (none
-- for nil) and `textKey`, and an OK button "<name>_ok" that closes it and
-- lets the paused scene run again.
function MenuKit.lesson(name, titleKey, textKey)
  local textY, textH = 218, 150
  local modal = {type = "TModalWindow", name = name, x = 0, y = 0, w = 800, h = 600,
    {type = "TImage", name = name .. "_bg", x = 240, y = 170, image = "images/ui/dialog.png"}}
  if titleKey then
    modal[#modal + 1] = {type = "TText", name = name .. "_title", x = 250, y = 184, w = 300, h = 28,
      text = GetString(titleKey), size = 20, color = gold, align = "center"}
  else
    textY, textH = 200, 170
  end
  MenuKit.add(modal, {
    {type = "TText", name = name .. "_text", x = 256, y = textY, w = 288, h = textH,
      text = GetString(textKey), size = 14, color = light, align = "center", wrap = true},
    {type = "TButton", name = name .. "_ok", x = 350, y = 380, w = 100, h = 30, label = GetString("ok"),
      command = function() CloseWindow() unlockCurrentScene() end},
    {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
  })
  return modal
end
