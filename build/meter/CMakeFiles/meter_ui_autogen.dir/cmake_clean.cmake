file(REMOVE_RECURSE
  "CMakeFiles/meter_ui_autogen"
  "meter_ui_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/meter_ui_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
