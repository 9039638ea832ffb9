
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/support/pty_meter.cpp" "tests/CMakeFiles/ui_tests.dir/support/pty_meter.cpp.o" "gcc" "tests/CMakeFiles/ui_tests.dir/support/pty_meter.cpp.o.d"
  "/work/main/tests/ui/main.cpp" "tests/CMakeFiles/ui_tests.dir/ui/main.cpp.o" "gcc" "tests/CMakeFiles/ui_tests.dir/ui/main.cpp.o.d"
  "/work/main/build/tests/ui_tests_autogen/mocs_compilation.cpp" "tests/CMakeFiles/ui_tests.dir/ui_tests_autogen/mocs_compilation.cpp.o" "gcc" "tests/CMakeFiles/ui_tests.dir/ui_tests_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/meter/CMakeFiles/meter_ui.dir/DependInfo.cmake"
  "/work/main/build/meter/CMakeFiles/meter_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
