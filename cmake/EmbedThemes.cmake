# Carries the themes' sky, grass and ground sheets inside the program, in the order of
# present/themes.h (every theme but the first, which is the game's own sheets).
set(TOBU_THEME_SHEET_NAMES dusk-sky dusk-grass dusk-ground cave-sky cave-grass cave-ground
    snow-sky snow-grass snow-ground)
string(REPLACE ";" "," theme_names_arg "${TOBU_THEME_SHEET_NAMES}")
set(embedded_themes_cpp ${CMAKE_CURRENT_BINARY_DIR}/embedded_theme_sheets.cpp)
add_custom_command(
  OUTPUT ${embedded_themes_cpp}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${embedded_themes_cpp} -DNAMES=${theme_names_arg}
          -DDIR=${CMAKE_CURRENT_SOURCE_DIR}/assets/sheets -DEXT=bmp -DSYMBOL=themeSheet
          -DFUNCTION=EmbeddedThemeSheet -DHEADER=present/embedded_theme_sheets.h
          -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
  DEPENDS ${sheet_files} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
  COMMENT "Embedding the themes' sheets")
target_sources(tobu_sheets PRIVATE ${embedded_themes_cpp})
