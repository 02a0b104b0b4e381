file(REMOVE_RECURSE
  "../bin/Corvane"
  "../bin/Corvane.pdb"
  "CMakeFiles/Corvane_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/Corvane_autogen.dir/ParseCache.txt"
  "Corvane_autogen"
  "CMakeFiles/Corvane.dir/Corvane_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/Corvane.dir/Corvane_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/Corvane.dir/editor/main.cpp.o"
  "CMakeFiles/Corvane.dir/editor/main.cpp.o.d"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/Corvane.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
