file(REMOVE_RECURSE
  "CMakeFiles/platform_WebBrowser_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_WebBrowser_test_autogen.dir/ParseCache.txt"
  "platform_WebBrowser_test_autogen"
  "CMakeFiles/platform_WebBrowser_test.dir/platform/WebBrowser_test.cpp.o"
  "CMakeFiles/platform_WebBrowser_test.dir/platform/WebBrowser_test.cpp.o.d"
  "CMakeFiles/platform_WebBrowser_test.dir/platform_WebBrowser_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_WebBrowser_test.dir/platform_WebBrowser_test_autogen/mocs_compilation.cpp.o.d"
  "platform_WebBrowser_test"
  "platform_WebBrowser_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_WebBrowser_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
