file(REMOVE_RECURSE
  "CMakeFiles/editor_Unit1Search_test_autogen"
  "editor_Unit1Search_test_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/editor_Unit1Search_test_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
