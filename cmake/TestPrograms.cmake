# Test copies of the programs, for the tests and benchmarks that start a whole program: each program's
# body and library with the test seams (tests/common/ProgramSeams.cpp), which the shipped programs lack.
# They keep the programs' own names (the editor starts the uploader found beside it by name) in a
# folder of their own beside bin/, so a copy finds the programs' files in ../lib and ../share as the
# programs do. They are never installed.
set(CORVANE_TEST_PROGRAM_DIR "${CMAKE_BINARY_DIR}/test-bin")
function(corvane_test_copy program folder)
  set(target ${program}_test_copy)
  add_executable(${target} "${CMAKE_SOURCE_DIR}/src/${folder}/main.cpp" "${CMAKE_SOURCE_DIR}/tests/common/ProgramSeams.cpp")
  target_link_libraries(${target} PRIVATE corvane_${folder})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${program} RUNTIME_OUTPUT_DIRECTORY "${CORVANE_TEST_PROGRAM_DIR}")
  # What the program's build lays out for it (the help pages) is there for the copy too.
  add_dependencies(${target} ${program})
endfunction()

corvane_test_copy(Corvane editor)
corvane_test_copy(Uploader uploader)
