# The still's own timing: its first potion is no gift of travel here, so no
# word and no magics come to hold the scene.
edit(cfg/missionscfg.xml [[<brewed type="potion_ready" potion_id="health"/>]] [[<brewed type="potion_ready" potion_id="none"/>]])
