file(REMOVE_RECURSE
  "CMakeFiles/ui_tests_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/ui_tests_autogen.dir/ParseCache.txt"
  "ui_tests_autogen"
  "CMakeFiles/ui_tests.dir/support/pty_meter.cpp.o"
  "CMakeFiles/ui_tests.dir/support/pty_meter.cpp.o.d"
  "CMakeFiles/ui_tests.dir/ui/main.cpp.o"
  "CMakeFiles/ui_tests.dir/ui/main.cpp.o.d"
  "CMakeFiles/ui_tests.dir/ui_tests_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/ui_tests.dir/ui_tests_autogen/mocs_compilation.cpp.o.d"
  "ui_tests"
  "ui_tests.pdb"
  "ui_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/ui_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
