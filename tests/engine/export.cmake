target_sources(engine_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/selig_export_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/atomic_file_test.cpp)
