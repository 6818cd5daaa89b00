# Carries the themes' repainted sheets inside the program, named THEME-SHEET from the two
# lists in present/themes.h (every theme but the first, which is the game's own sheets).
set(themes_h ${CMAKE_CURRENT_SOURCE_DIR}/present/themes.h)
# The quoted words of the line in present/themes.h that defines `array`.
function(tobu_quoted_list array out)
  file(STRINGS ${themes_h} line REGEX " ${array}\\[\\] = {")
  string(REGEX MATCHALL "\"[A-Za-z0-9-]+\"" words "${line}")
  string(REPLACE "\"" "" words "${words}")
  set(${out} ${words} PARENT_SCOPE)
endfunction()
tobu_quoted_list(ThemeNames theme_names)
tobu_quoted_list(ThemedSheetNames themed_sheet_names)
list(POP_FRONT theme_names)
set(TOBU_THEME_SHEET_NAMES "")
foreach(theme IN LISTS theme_names)
  foreach(sheet IN LISTS themed_sheet_names)
    list(APPEND TOBU_THEME_SHEET_NAMES ${theme}-${sheet})
  endforeach()
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${themes_h})
string(REPLACE ";" "," theme_names_arg "${TOBU_THEME_SHEET_NAMES}")
# The browser's build paints them instead (assets/generator/theme_painter.h), so its
# download carries none: each is embedded empty, as a sheet not generated yet is.
set(theme_sheets_dir ${CMAKE_CURRENT_SOURCE_DIR}/assets/sheets)
if(EMSCRIPTEN)
  set(theme_sheets_dir ${CMAKE_CURRENT_BINARY_DIR}/painted-in-the-browser)
endif()
set(embedded_themes_cpp ${CMAKE_CURRENT_BINARY_DIR}/embedded_theme_sheets.cpp)
add_custom_command(
  OUTPUT ${embedded_themes_cpp}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${embedded_themes_cpp} -DNAMES=${theme_names_arg}
          -DDIR=${theme_sheets_dir} -DEXT=bmp -DSYMBOL=themeSheet
          -DFUNCTION=EmbeddedThemeSheet -DHEADER=present/embedded_theme_sheets.h
          -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
  DEPENDS ${sheet_files} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
  COMMENT "Embedding the themes' sheets")
target_sources(tobu_sheets PRIVATE ${embedded_themes_cpp})

# The painter of the themes' sheets, with the generator's own painters and encoder (no SDL).
add_library(tobu_theme_painter STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/assets/generator/theme_painter.cpp ${CMAKE_CURRENT_SOURCE_DIR}/assets/generator/themes.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/assets/generator/backdrop.cpp ${CMAKE_CURRENT_SOURCE_DIR}/assets/generator/details.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/assets/generator/scenery.cpp ${CMAKE_CURRENT_SOURCE_DIR}/assets/generator/sheet.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/assets/generator/bmp_writer.cpp)
target_include_directories(tobu_theme_painter PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
