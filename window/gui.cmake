find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(folix_window STATIC
  section_plot.cpp
  about_window.cpp
  main_window.cpp)
set_target_properties(folix_window PROPERTIES AUTOMOC ON)
target_link_libraries(folix_window PUBLIC Qt6::Widgets folix_design_run folix_results)
