# A fuzz target's own sources: `name` (fuzz_save ...) built into the
# executable `target`, which the caller gives a main (libFuzzer's or the
# replay driver) and a test.
function(tolvane_fuzz_target target name)
  add_executable(${target} ${CMAKE_SOURCE_DIR}/fuzz/${name}.cpp ${CMAKE_SOURCE_DIR}/fuzz/FuzzGame.cpp ${ARGN})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/fuzz)
  target_link_libraries(${target} PRIVATE tolvane_game)
  target_compile_definitions(${target} PRIVATE
    TOLVANE_FUZZ_CONTENT="${CMAKE_SOURCE_DIR}/content"
    TOLVANE_FUZZ_LATE_SAVE="${CMAKE_SOURCE_DIR}/tests/fixtures/saves/chapter-8.xml")
  target_precompile_headers(${target} PRIVATE ${TOLVANE_PCH})
endfunction()

set(TOLVANE_FUZZ_TARGETS fuzz_content_xml fuzz_save fuzz_prefs)
