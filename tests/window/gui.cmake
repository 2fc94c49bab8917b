find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

# Each test drives real widgets headless.
foreach(name section_plot main_window about_window plot_menu analysis_window)
  add_executable(${name}_tests ${name}_test.cpp message_box_catcher.h)
  set_target_properties(${name}_tests PROPERTIES AUTOMOC ON)
  target_link_libraries(${name}_tests PRIVATE folix_window Qt6::Test)
  add_test(NAME ${name}_tests COMMAND ${name}_tests)
  set_tests_properties(${name}_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 120)
endforeach()

add_executable(pressure_chart_tests pressure_chart_test.cpp)
target_link_libraries(pressure_chart_tests PRIVATE folix_window_charts folix_design_run GTest::gtest_main)
gtest_discover_tests(pressure_chart_tests)
