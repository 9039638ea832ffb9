file(REMOVE_RECURSE
  "CMakeFiles/core_tests_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/core_tests_autogen.dir/ParseCache.txt"
  "core_tests_autogen"
  "CMakeFiles/core_tests.dir/core/test_number_text.cpp.o"
  "CMakeFiles/core_tests.dir/core/test_number_text.cpp.o.d"
  "CMakeFiles/core_tests.dir/core_tests_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/core_tests.dir/core_tests_autogen/mocs_compilation.cpp.o.d"
  "core_tests"
  "core_tests.pdb"
  "core_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/core_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
