-- pref() looks at the preferences file and changes nothing: a damaged file is
-- neither moved aside nor replaced, a missing file or folder is not made, and
-- nothing is reported.

local dir = os.getenv("TOLVANE_PREFS_DIR")
local path = dir .. "/prefs.xml"

local function read(p)
  local f = io.open(p, "rb")
  if not f then return nil end
  local text = f:read("*a")
  f:close()
  return text
end

local function write(p, text)
  local f = assert(io.open(p, "wb"))
  f:write(text)
  f:close()
end

tick(1)
local stored = assert(read(path), "the game wrote its preferences")
assert(pref("curuser") == "-1")
local reported = reports()

write(path, "<prefs><global>")
assert(pref("curuser") == nil)
assert(read(path) == "<prefs><global>", "the damaged file was changed")
assert(read(path .. ".damaged") == nil, "the damaged file was moved aside")

assert(os.remove(path))
assert(os.remove(dir))
assert(pref("curuser") == nil)
assert(not os.rename(dir, dir), "the folder was made again")

assert(reports() == reported, "looking reported something")
-- The game's own store writes on: the folder and file as it left them.
assert(os.execute("mkdir '" .. dir .. "'") == 0)
write(path, stored)
assert(pref("curuser") == "-1")
