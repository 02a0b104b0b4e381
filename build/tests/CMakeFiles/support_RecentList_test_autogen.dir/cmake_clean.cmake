file(REMOVE_RECURSE
  "CMakeFiles/support_RecentList_test_autogen"
  "support_RecentList_test_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/support_RecentList_test_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
