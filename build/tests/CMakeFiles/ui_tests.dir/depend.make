# Empty dependencies file for ui_tests.
# This may be replaced when dependencies are built.
