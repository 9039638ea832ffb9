file(REMOVE_RECURSE
  "libmeter_ui.a"
)
