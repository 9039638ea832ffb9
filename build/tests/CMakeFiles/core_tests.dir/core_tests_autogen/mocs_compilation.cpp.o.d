tests/CMakeFiles/core_tests.dir/core_tests_autogen/mocs_compilation.cpp.o: \
 /work/main/build/tests/core_tests_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
