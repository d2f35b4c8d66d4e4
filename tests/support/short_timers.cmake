# Included by the edits of scenarios that watch a hazard's clock run out:
# the demo's timers cut down to a few seconds, as they were written for.
edit(cfg/timercontrollercfg.xml [[<soon time="8" text="hint_poison_soon"/>]] [[<soon time="1" text="hint_poison_soon"/>]])
edit(cfg/timercontrollercfg.xml [[<soon time="10" text="indicator_poison_soon"]] [[<soon time="1" text="indicator_poison_soon"]])
edit(cfg/timercontrollercfg.xml [[<vethra_air initial_time="60"]] [[<vethra_air initial_time="3"]])
edit(cfg/timercontrollercfg.xml [[<health_magic health_helped_hint="hint_air_helped" additional_time="30"/>]]
     [[<health_magic health_helped_hint="hint_air_helped" additional_time="2"/>]])
edit(cfg/timercontrollercfg.xml [[time_to_catch_mouse="10"]] [[time_to_catch_mouse="2"]])
edit(cfg/timercontrollercfg.xml [[<underwater_air initial_time="30"]] [[<underwater_air initial_time="4"]])
edit(cfg/timercontrollercfg.xml [[<health_magic health_helped_hint="hint_water_helped" additional_time="15"/>]]
     [[<health_magic health_helped_hint="hint_water_helped" additional_time="2"/>]])
edit(cfg/timercontrollercfg.xml [[initial_time="20" after_exit_initial_time="10"]] [[initial_time="2" after_exit_initial_time="1"]])
edit(cfg/timercontrollercfg.xml [[<greece_scroll initial_time="60">]] [[<greece_scroll initial_time="2">]])
edit(cfg/timercontrollercfg.xml [[<sleeping_hints initial_time="30">]] [[<sleeping_hints initial_time="3">]])
edit(cfg/timercontrollercfg.xml [[<dream time="25" text="hint_sleeping"/>]] [[<dream time="2" text="hint_sleeping"/>]])
edit(cfg/timercontrollercfg.xml [[<invisibility invisibility_time="20"/>]] [[<invisibility invisibility_time="2"/>]])
edit(cfg/compositeactionscfg.xml [[<a type="poison" time_to_die="20"/>]] [[<a type="poison" time_to_die="2"/>]])
