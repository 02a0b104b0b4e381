if(EXISTS "/work/wt/search/build/tests/editor_Unit1Search_test")
  if(NOT EXISTS "/work/wt/search/build/tests/editor_Unit1Search_test[1]_tests.cmake" OR
     NOT "/work/wt/search/build/tests/editor_Unit1Search_test[1]_tests.cmake" IS_NEWER_THAN "/work/wt/search/build/tests/editor_Unit1Search_test" OR
     NOT "/work/wt/search/build/tests/editor_Unit1Search_test[1]_tests.cmake" IS_NEWER_THAN "${CMAKE_CURRENT_LIST_FILE}")
    include("/usr/share/cmake-3.25/Modules/GoogleTestAddTests.cmake")
    gtest_discover_tests_impl(
      TEST_EXECUTABLE [==[/work/wt/search/build/tests/editor_Unit1Search_test]==]
      TEST_EXECUTOR [==[]==]
      TEST_WORKING_DIR [==[/work/wt/search/build/tests]==]
      TEST_EXTRA_ARGS [==[]==]
      TEST_PROPERTIES [==[]==]
      TEST_PREFIX [==[editor.]==]
      TEST_SUFFIX [==[]==]
      TEST_FILTER [==[]==]
      NO_PRETTY_TYPES [==[FALSE]==]
      NO_PRETTY_VALUES [==[FALSE]==]
      TEST_LIST [==[editor_Unit1Search_test_TESTS]==]
      CTEST_FILE [==[/work/wt/search/build/tests/editor_Unit1Search_test[1]_tests.cmake]==]
      TEST_DISCOVERY_TIMEOUT [==[60]==]
      TEST_XML_OUTPUT_DIR [==[]==]
    )
  endif()
  include("/work/wt/search/build/tests/editor_Unit1Search_test[1]_tests.cmake")
else()
  add_test(editor_Unit1Search_test_NOT_BUILT editor_Unit1Search_test_NOT_BUILT)
endif()
