# Played with the hazards' clocks cut short.
include(${CMAKE_CURRENT_LIST_DIR}/../support/short_timers.cmake)
