# The command-line front end: the same design run and save command as the window.
add_library(folix_cli STATIC
  ${CMAKE_CURRENT_LIST_DIR}/cli/strict_number.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/history_summary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/design_outcome.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/json_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/design_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/csv_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/save_design.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/section_flow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/batch_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/folix_cli.cpp)
target_link_libraries(folix_cli PUBLIC folix_design_run folix_results folix_engine)
target_compile_definitions(folix_cli PRIVATE FOLIX_VERSION="${PROJECT_VERSION}")

add_executable(folix ${CMAKE_CURRENT_LIST_DIR}/cli/main.cpp)
target_link_libraries(folix PRIVATE folix_cli)

include(GNUInstallDirs)
install(TARGETS folix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
