file(REMOVE_RECURSE
  "libcorvane_components.a"
)
