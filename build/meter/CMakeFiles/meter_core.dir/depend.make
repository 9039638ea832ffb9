# Empty dependencies file for meter_core.
# This may be replaced when dependencies are built.
