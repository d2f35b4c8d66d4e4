# The range lost leads to a scene the world does not have.
edit(layouts/home/range.xml [[lost="tavern"]] [[lost="nowhere"]])
