if(FOLIX_BUILD_GUI)
  add_executable(folixdesign main.cpp)
  target_link_libraries(folixdesign PRIVATE folix_window)

  # Renders docs/screenshot.png; run through scripts/screenshot.
  add_executable(window_screenshot window_screenshot.cpp)
  target_link_libraries(window_screenshot PRIVATE folix_window)
endif()
