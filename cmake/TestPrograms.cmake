# Test copies of the programs, for the tests and benchmarks that start a whole program: each program's
# body and library with the test seams (tests/common/ProgramSeams.cpp), which the shipped programs lack.
# They keep the programs' own names (the editor starts the uploader found beside it by name) in a
# folder of their own beside bin/, where every other file of bin/ (help pages, icon, page engine) is a
# link, so a copy finds what the program finds. They are never installed.
if(CMAKE_SCRIPT_MODE_FILE)
  # Run after a copy is built: links the files of FROM into TO, but for the programs.
  string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
  file(GLOB beside LIST_DIRECTORIES false "${FROM}/*")
  foreach(file IN LISTS beside)
    get_filename_component(name "${file}" NAME)
    list(FIND PROGRAMS "${name}" program)
    if(program EQUAL -1)
      file(CREATE_LINK "${file}" "${TO}/${name}" SYMBOLIC)
    endif()
  endforeach()
  return()
endif()

set(CORVANE_TEST_PROGRAM_DIR "${CMAKE_BINARY_DIR}/test-bin")
function(corvane_test_copy program folder)
  set(target ${program}_test_copy)
  add_executable(${target} "${CMAKE_SOURCE_DIR}/src/${folder}/main.cpp" "${CMAKE_SOURCE_DIR}/tests/common/ProgramSeams.cpp")
  target_link_libraries(${target} PRIVATE corvane_${folder}_lib)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${program} RUNTIME_OUTPUT_DIRECTORY "${CORVANE_TEST_PROGRAM_DIR}")
  # The program comes first, so what it puts beside itself is there to be linked.
  add_dependencies(${target} ${program})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} "-DFROM=${CMAKE_BINARY_DIR}/bin" "-DTO=${CORVANE_TEST_PROGRAM_DIR}"
            "-DPROGRAMS=Corvane,Uploader" -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
    VERBATIM)
endfunction()

corvane_test_copy(Corvane editor)
corvane_test_copy(Uploader uploader)
