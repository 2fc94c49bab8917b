add_executable(design_run_bench design_run_bench.cpp)
target_link_libraries(design_run_bench PRIVATE folix_design_run benchmark::benchmark_main)

if(FOLIX_BUILD_GUI)
  # Time from process start to the first painted main window; bench/startup runs it.
  add_executable(window_startup window_startup.cpp)
  target_link_libraries(window_startup PRIVATE folix_window)
endif()
