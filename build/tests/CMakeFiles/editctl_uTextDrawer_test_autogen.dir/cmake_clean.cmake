file(REMOVE_RECURSE
  "CMakeFiles/editctl_uTextDrawer_test_autogen"
  "editctl_uTextDrawer_test_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/editctl_uTextDrawer_test_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
