file(REMOVE_RECURSE
  "libcorvane_uploader_lib.a"
)
