# SPDX-License-Identifier: MIT
# The complete search alone, per puzzle, over every file in the puzzle folder.
add_executable(search_bench ${CMAKE_CURRENT_LIST_DIR}/search_bench.cpp)
target_link_libraries(search_bench PRIVATE tesura_engine benchmark::benchmark)
target_compile_definitions(search_bench PRIVATE TESURA_PUZZLE_DIR="${TESURA_PUZZLE_DIR}")
