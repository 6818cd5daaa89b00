# Carries the sprite sheets inside the program, so it runs from any directory. Their names
# and order are the catalogue's rows in present/sheets.h.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/present/sheets.h catalogue_rows REGEX "^ *{\"[A-Za-z0-9-]+\", [0-9]+,")
set(TOBU_SHEET_NAMES "")
foreach(row IN LISTS catalogue_rows)
  string(REGEX REPLACE "^ *{\"([A-Za-z0-9-]+)\".*" "\\1" name "${row}")
  list(APPEND TOBU_SHEET_NAMES ${name})
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/present/sheets.h)
file(GLOB sheet_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assets/sheets/*.bmp)
string(REPLACE ";" "," sheet_names_arg "${TOBU_SHEET_NAMES}")
set(embedded_cpp ${CMAKE_CURRENT_BINARY_DIR}/embedded_sheets.cpp)
add_custom_command(
  OUTPUT ${embedded_cpp}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${embedded_cpp} -DNAMES=${sheet_names_arg}
          -DDIR=${CMAKE_CURRENT_SOURCE_DIR}/assets/sheets -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
  DEPENDS ${sheet_files} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/WriteEmbedded.cmake
  COMMENT "Embedding sprite sheets")
add_library(tobu_sheets STATIC ${embedded_cpp})
target_include_directories(tobu_sheets PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
