# Sources are collected per folder so that a new unit needs no build-file edit.
function(corvane_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# The libraries a test or benchmark of a folder links: each program's own units (both programs have a
# `TForm1`, so no executable links the two), then the components and the layer.
function(corvane_libraries_for folder out)
  if(folder MATCHES "^uploader")
    set(${out} corvane_uploader_lib corvane_components corvane_platform PARENT_SCOPE)
  else()
    set(${out} corvane_editor_lib corvane_components corvane_platform PARENT_SCOPE)
  endif()
endfunction()

# One GoogleTest executable per *_test.cpp of a test folder, each registered with ctest.
function(corvane_add_test_folder folder)
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp")
  foreach(test_source IN LISTS tests)
    get_filename_component(name "${test_source}" NAME_WE)
    set(target "${folder}_${name}")
    add_executable(${target} ${test_source})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    corvane_libraries_for(${folder} libraries)
    target_link_libraries(${target} PRIVATE corvane_test_main corvane_test_common ${libraries} GTest::gtest Qt6::Test)
    # The environment the suites need is set by the test main, so a test runs alike by hand and by ctest.
    # A hung test fails after CORVANE_TEST_TIMEOUT seconds instead of holding up the whole run.
    set(properties TIMEOUT ${CORVANE_TEST_TIMEOUT})
    gtest_discover_tests(${target}
      DISCOVERY_TIMEOUT 120
      DISCOVERY_MODE PRE_TEST
      TEST_PREFIX "${folder}."
      PROPERTIES ${properties})
  endforeach()
endfunction()
