add_executable(results_bench ${CMAKE_CURRENT_SOURCE_DIR}/results_bench.cpp)
target_link_libraries(results_bench PRIVATE folix_results benchmark::benchmark_main)
