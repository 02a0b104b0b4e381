file(REMOVE_RECURSE
  "libcorvane_platform.a"
)
