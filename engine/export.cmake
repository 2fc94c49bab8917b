# Coordinate export: Selig text and the file writer it goes through.
target_sources(folix_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/selig_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/atomic_file.cpp)
