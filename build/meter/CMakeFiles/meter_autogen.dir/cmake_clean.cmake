file(REMOVE_RECURSE
  "CMakeFiles/meter_autogen"
  "meter_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/meter_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
