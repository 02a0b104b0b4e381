file(REMOVE_RECURSE
  "libcorvane_test_common.a"
)
