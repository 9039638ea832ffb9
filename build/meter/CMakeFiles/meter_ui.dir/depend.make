# Empty dependencies file for meter_ui.
# This may be replaced when dependencies are built.
