# Settings shared by the main build and the Windows build (win64/).
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

# Warnings are on everywhere; scripts/test.sh (and CI) turn them into errors.
option(METER_WERROR "Treat compiler warnings as errors" OFF)
add_compile_options(-Wall -Wextra)
# GCC 12 at -O3 reports -Wrestrict on std::string's operator+ in the standard
# library's own code (GCC bug 105651), where nothing overlaps.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
if(METER_WERROR)
  add_compile_options(-Werror)
endif()
