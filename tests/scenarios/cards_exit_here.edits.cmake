# Both ends of the card table lead back to the table itself.
edit(layouts/home/tavern_cards.xml [[<exit_scene_id win="tavern" lose="tavern"/>]] [[<exit_scene_id win="" lose=""/>]])
