target_sources(folix_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/section_analysis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pressure_integration.cpp)
