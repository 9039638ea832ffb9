
# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/benchmarks.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
