# Empty custom commands generated dependencies file for benchmarks.
# This may be replaced when dependencies are built.
