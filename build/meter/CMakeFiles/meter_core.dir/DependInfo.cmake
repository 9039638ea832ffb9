
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/meter/core/comm_buffer.cpp" "meter/CMakeFiles/meter_core.dir/core/comm_buffer.cpp.o" "gcc" "meter/CMakeFiles/meter_core.dir/core/comm_buffer.cpp.o.d"
  "/work/main/meter/core/meter_frame.cpp" "meter/CMakeFiles/meter_core.dir/core/meter_frame.cpp.o" "gcc" "meter/CMakeFiles/meter_core.dir/core/meter_frame.cpp.o.d"
  "/work/main/meter/core/number_text.cpp" "meter/CMakeFiles/meter_core.dir/core/number_text.cpp.o" "gcc" "meter/CMakeFiles/meter_core.dir/core/number_text.cpp.o.d"
  "/work/main/meter/core/port_lookup.cpp" "meter/CMakeFiles/meter_core.dir/core/port_lookup.cpp.o" "gcc" "meter/CMakeFiles/meter_core.dir/core/port_lookup.cpp.o.d"
  "/work/main/meter/core/regional.cpp" "meter/CMakeFiles/meter_core.dir/core/regional.cpp.o" "gcc" "meter/CMakeFiles/meter_core.dir/core/regional.cpp.o.d"
  "/work/main/meter/core/serial_link.cpp" "meter/CMakeFiles/meter_core.dir/core/serial_link.cpp.o" "gcc" "meter/CMakeFiles/meter_core.dir/core/serial_link.cpp.o.d"
  "/work/main/meter/core/shared_state.cpp" "meter/CMakeFiles/meter_core.dir/core/shared_state.cpp.o" "gcc" "meter/CMakeFiles/meter_core.dir/core/shared_state.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
