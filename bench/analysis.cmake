add_executable(analysis_bench ${CMAKE_CURRENT_LIST_DIR}/analysis_bench.cpp)
target_link_libraries(analysis_bench PRIVATE folix_engine benchmark::benchmark_main)
