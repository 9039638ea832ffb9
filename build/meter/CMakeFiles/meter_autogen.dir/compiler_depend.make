# Empty custom commands generated dependencies file for meter_autogen.
# This may be replaced when dependencies are built.
