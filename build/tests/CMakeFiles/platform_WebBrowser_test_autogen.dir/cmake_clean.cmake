file(REMOVE_RECURSE
  "CMakeFiles/platform_WebBrowser_test_autogen"
  "platform_WebBrowser_test_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/platform_WebBrowser_test_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
