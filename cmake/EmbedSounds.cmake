# The sounds room: the effects carried inside the program inside the program, one for each game event, in the order
# of GameEvent (events/game_events.h), each named after its event.
set(TOBU_SOUND_NAMES jump eat open locked finish best topten fail move choose back type erase paint place remove
                     start saved opened error land)
file(GLOB sound_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assets/sounds/*.wav)
string(REPLACE ";" "," sound_names_arg "${TOBU_SOUND_NAMES}")
set(embedded_sounds_cpp ${CMAKE_CURRENT_BINARY_DIR}/embedded_sounds.cpp)
add_custom_command(
  OUTPUT ${embedded_sounds_cpp}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${embedded_sounds_cpp} -DNAMES=${sound_names_arg}
          -DDIR=${CMAKE_CURRENT_SOURCE_DIR}/assets/sounds -DEXT=wav -DSYMBOL=sound -DFUNCTION=EmbeddedSoundFile
          -DHEADER=sounds/embedded_sounds.h -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
  DEPENDS ${sound_files} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
  COMMENT "Embedding sounds")
file(GLOB sound_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sounds/*.cpp)
add_library(tobu_sounds STATIC ${embedded_sounds_cpp} ${sound_sources})
target_include_directories(tobu_sounds PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tobu_sounds PUBLIC tobu_events tobu_music)
