file(REMOVE_RECURSE
  "CMakeFiles/meter_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/meter_autogen.dir/ParseCache.txt"
  "meter_autogen"
  "CMakeFiles/meter.dir/__/app/main.cpp.o"
  "CMakeFiles/meter.dir/__/app/main.cpp.o.d"
  "CMakeFiles/meter.dir/meter_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/meter.dir/meter_autogen/mocs_compilation.cpp.o.d"
  "meter"
  "meter.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/meter.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
