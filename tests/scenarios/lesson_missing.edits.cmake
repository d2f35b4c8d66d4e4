# The catapult's lesson names a script the content does not have.
edit(layouts/home/harbour_catapult.xml [[script="scripts/catapult_tutorial.lua"]] [[script="scripts/catapult_lesson_gone.lua"]])
