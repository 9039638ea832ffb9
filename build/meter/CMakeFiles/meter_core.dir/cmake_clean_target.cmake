file(REMOVE_RECURSE
  "libmeter_core.a"
)
