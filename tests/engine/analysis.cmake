target_sources(engine_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/section_analysis_test.cpp)
