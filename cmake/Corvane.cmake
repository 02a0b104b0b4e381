# Sources are collected per folder so that a new unit needs no build-file edit.
function(corvane_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# A library's public include folder, made in the build tree: a link to each of the given source folders
# and nothing else, so that its users reach "folder/Unit.h" of these folders only and an include of
# any other folder fails to build.
function(corvane_public_folders library)
  set(dir "${CMAKE_BINARY_DIR}/include/${library}")
  file(MAKE_DIRECTORY "${dir}")
  foreach(folder IN LISTS ARGN)
    get_filename_component(name "${folder}" NAME)
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${folder}" "${dir}/${name}" SYMBOLIC)
  endforeach()
  target_include_directories(${library} PUBLIC "${dir}")
endfunction()

# The units of src/FOLDER (its main.cpp aside) as the library corvane_FOLDER, on the libraries given,
# the ones right below it.
function(corvane_folder_library folder)
  corvane_sources(sources src/${folder})
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(corvane_${folder} STATIC ${sources})
  corvane_public_folders(corvane_${folder} src/${folder})
  target_link_libraries(corvane_${folder} PUBLIC ${ARGN})
endfunction()

# One GoogleTest executable per *_test.cpp of a test folder, each registered with ctest, on the
# LIBRARIES given (with the ones below them). The tests link Qt themselves, as they deliver Qt's events.
function(corvane_add_test_folder folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" LIBRARIES)
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp")
  foreach(test_source IN LISTS tests)
    get_filename_component(name "${test_source}" NAME_WE)
    set(target "${folder}_${name}")
    add_executable(${target} ${test_source})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${target} PRIVATE corvane_test_main corvane_test_common ${arg_LIBRARIES} GTest::gtest
      Qt6::Widgets Qt6::PrintSupport Qt6::Test)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    # The environment the suites need is set by the test main, so a test runs alike by hand and by ctest.
    # A hung test fails after CORVANE_TEST_TIMEOUT seconds instead of holding up the whole run.
    set(properties TIMEOUT ${CORVANE_TEST_TIMEOUT})
    # The install test reads the build tree that the layering checks build into.
    if(name STREQUAL "Install_test")
      list(APPEND properties RESOURCE_LOCK build-tree)
    endif()
    gtest_discover_tests(${target}
      DISCOVERY_TIMEOUT 120
      DISCOVERY_MODE PRE_TEST
      TEST_PREFIX "${folder}."
      PROPERTIES ${properties})
  endforeach()
endfunction()
