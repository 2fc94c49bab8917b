if(NOT TARGET folix_cli)
  return()
endif()

add_executable(batch_bench batch_bench.cpp)
target_link_libraries(batch_bench PRIVATE folix_cli benchmark::benchmark)

# The program itself on the same rows: wall time, rows and peak memory.
add_custom_target(folix_batch_timing
  COMMAND sh -c "'$<TARGET_FILE:batch_bench>' --print-rows > batch_rows.csv && /usr/bin/time -v '$<TARGET_FILE:folix>' batch batch_rows.csv > batch_out.csv 2> batch_time.txt; grep -E 'Elapsed|Maximum resident' batch_time.txt; echo rows: $(($(wc -l < batch_out.csv) - 1)), not ok: $(tail -n +2 batch_out.csv | grep -vc ',ok$')"
  DEPENDS batch_bench folix
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
  VERBATIM)
