find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(folix_window STATIC
  section_plot.cpp
  about_window.cpp
  main_window.cpp)
set_target_properties(folix_window PROPERTIES AUTOMOC ON)
target_link_libraries(folix_window PUBLIC Qt6::Widgets folix_design_run folix_results)

# The section plot's context menu: coordinate export and the pressure distribution.
# What they show is worked out without Qt; the widgets only place it.
add_library(folix_window_charts STATIC drawn_design.cpp pressure_chart.cpp)
target_link_libraries(folix_window_charts PUBLIC folix_engine)
target_sources(folix_window PRIVATE analysis_window.cpp pressure_plot.cpp)
target_link_libraries(folix_window PUBLIC folix_window_charts)
