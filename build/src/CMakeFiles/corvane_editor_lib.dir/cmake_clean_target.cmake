file(REMOVE_RECURSE
  "libcorvane_editor_lib.a"
)
