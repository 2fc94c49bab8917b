find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

# Each test drives real widgets headless.
foreach(name section_plot main_window about_window)
  add_executable(${name}_tests ${name}_test.cpp message_box_catcher.h)
  set_target_properties(${name}_tests PROPERTIES AUTOMOC ON)
  target_link_libraries(${name}_tests PRIVATE folix_window Qt6::Test)
  add_test(NAME ${name}_tests COMMAND ${name}_tests)
  set_tests_properties(${name}_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 120)
endforeach()
