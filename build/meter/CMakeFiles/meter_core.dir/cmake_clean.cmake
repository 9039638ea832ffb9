file(REMOVE_RECURSE
  "meter_core_autogen"
  "CMakeFiles/meter_core.dir/core/comm_buffer.cpp.o"
  "CMakeFiles/meter_core.dir/core/comm_buffer.cpp.o.d"
  "CMakeFiles/meter_core.dir/core/meter_frame.cpp.o"
  "CMakeFiles/meter_core.dir/core/meter_frame.cpp.o.d"
  "CMakeFiles/meter_core.dir/core/number_text.cpp.o"
  "CMakeFiles/meter_core.dir/core/number_text.cpp.o.d"
  "CMakeFiles/meter_core.dir/core/port_lookup.cpp.o"
  "CMakeFiles/meter_core.dir/core/port_lookup.cpp.o.d"
  "CMakeFiles/meter_core.dir/core/regional.cpp.o"
  "CMakeFiles/meter_core.dir/core/regional.cpp.o.d"
  "CMakeFiles/meter_core.dir/core/serial_link.cpp.o"
  "CMakeFiles/meter_core.dir/core/serial_link.cpp.o.d"
  "CMakeFiles/meter_core.dir/core/shared_state.cpp.o"
  "CMakeFiles/meter_core.dir/core/shared_state.cpp.o.d"
  "libmeter_core.a"
  "libmeter_core.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/meter_core.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
