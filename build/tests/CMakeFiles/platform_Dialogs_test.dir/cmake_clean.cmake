file(REMOVE_RECURSE
  "CMakeFiles/platform_Dialogs_test_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/platform_Dialogs_test_autogen.dir/ParseCache.txt"
  "platform_Dialogs_test_autogen"
  "CMakeFiles/platform_Dialogs_test.dir/platform/Dialogs_test.cpp.o"
  "CMakeFiles/platform_Dialogs_test.dir/platform/Dialogs_test.cpp.o.d"
  "CMakeFiles/platform_Dialogs_test.dir/platform_Dialogs_test_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/platform_Dialogs_test.dir/platform_Dialogs_test_autogen/mocs_compilation.cpp.o.d"
  "platform_Dialogs_test"
  "platform_Dialogs_test.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/platform_Dialogs_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
