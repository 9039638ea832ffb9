file(REMOVE_RECURSE
  "CMakeFiles/meter_ui_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/meter_ui_autogen.dir/ParseCache.txt"
  "meter_ui_autogen"
  "CMakeFiles/meter_ui.dir/meter_ui_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/meter_ui.dir/meter_ui_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/meter_ui.dir/platform/mscomm.cpp.o"
  "CMakeFiles/meter_ui.dir/platform/mscomm.cpp.o.d"
  "libmeter_ui.a"
  "libmeter_ui.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/meter_ui.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
