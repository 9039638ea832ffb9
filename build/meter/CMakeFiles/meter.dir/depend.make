# Empty dependencies file for meter.
# This may be replaced when dependencies are built.
