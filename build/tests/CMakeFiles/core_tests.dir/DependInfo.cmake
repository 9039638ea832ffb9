
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/core/test_number_text.cpp" "tests/CMakeFiles/core_tests.dir/core/test_number_text.cpp.o" "gcc" "tests/CMakeFiles/core_tests.dir/core/test_number_text.cpp.o.d"
  "/work/main/build/tests/core_tests_autogen/mocs_compilation.cpp" "tests/CMakeFiles/core_tests.dir/core_tests_autogen/mocs_compilation.cpp.o" "gcc" "tests/CMakeFiles/core_tests.dir/core_tests_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/meter/CMakeFiles/meter_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
