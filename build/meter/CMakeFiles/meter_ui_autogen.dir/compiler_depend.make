# Empty custom commands generated dependencies file for meter_ui_autogen.
# This may be replaced when dependencies are built.
