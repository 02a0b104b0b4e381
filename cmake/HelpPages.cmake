# The Help menu's pages, made at build time among the programs' files: the Perl manual pages from
# the installed Perl's own documentation (so they match the Perl the user runs), a short page of ours
# for a topic this Perl no longer has, and our own pages.
set(CORVANE_PERL_TOPICS perl perldata perlsyn perlop perlre perlrun perlfunc perlvar perlsub perlmod perlref
    perlobj perlbot perldebug perldiag perlform perlipc perlsec perltrap perlstyle perlapi perlguts perlcall
    perlovl perlpod perlbook)

find_program(CORVANE_PERLDOC perldoc)
find_program(CORVANE_POD2HTML pod2html)
set(help_dir "${CORVANE_BUILD_DATA_DIR}/help")
set(help_pages)
foreach(topic IN LISTS CORVANE_PERL_TOPICS)
  set(page "${help_dir}/perlhelp${topic}.html")
  set(pod "")
  if(CORVANE_PERLDOC)
    execute_process(COMMAND ${CORVANE_PERLDOC} -l ${topic} OUTPUT_VARIABLE pod ERROR_QUIET
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  if(pod AND CORVANE_POD2HTML AND EXISTS "${pod}")
    add_custom_command(OUTPUT "${page}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${help_dir}" "${CMAKE_BINARY_DIR}/pod2html/${topic}"
      COMMAND ${CORVANE_POD2HTML} --quiet "--infile=${pod}" "--outfile=${page}" "--title=${topic}"
              "--cachedir=${CMAKE_BINARY_DIR}/pod2html/${topic}"
      DEPENDS "${pod}" VERBATIM)
  else()
    add_custom_command(OUTPUT "${page}"
      COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/resources/help/perlhelp${topic}.html" "${page}"
      DEPENDS "${CMAKE_SOURCE_DIR}/resources/help/perlhelp${topic}.html" VERBATIM)
  endif()
  list(APPEND help_pages "${page}")
endforeach()

foreach(name links.htm speditor.htm)
  add_custom_command(OUTPUT "${help_dir}/${name}"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/resources/help/${name}" "${help_dir}/${name}"
    DEPENDS "${CMAKE_SOURCE_DIR}/resources/help/${name}" VERBATIM)
  list(APPEND help_pages "${help_dir}/${name}")
endforeach()

# The hot-keys page is written by a window of the program itself, from its menus and its editor's key
# table, over settings of its own that start empty (so the quick inserts show their default keys). The
# window registers the script types at its start: desktop folders of its own keep that out of the
# desktop of whoever builds.
add_executable(MakeHotKeysPage "${CMAKE_SOURCE_DIR}/src/editor/hotkeys/main.cpp")
target_link_libraries(MakeHotKeysPage PRIVATE corvane_editor)
set_target_properties(MakeHotKeysPage PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tools")
set(hotkeys_settings "${CMAKE_BINARY_DIR}/tools/hotkeys-settings")
add_custom_command(OUTPUT "${help_dir}/hotkeys.htm"
  COMMAND ${CMAKE_COMMAND} -E rm -rf "${hotkeys_settings}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${hotkeys_settings}" "${help_dir}"
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 ASAN_OPTIONS=detect_leaks=0
          "CORVANE_REGISTRY=${hotkeys_settings}/registry.sqlite3" "XDG_DATA_HOME=${hotkeys_settings}/data"
          "XDG_CONFIG_HOME=${hotkeys_settings}/config" "XDG_STATE_HOME=${hotkeys_settings}/state"
          $<TARGET_FILE:MakeHotKeysPage> "${help_dir}/hotkeys.htm"
  DEPENDS MakeHotKeysPage VERBATIM)
list(APPEND help_pages "${help_dir}/hotkeys.htm")

add_custom_target(corvane_help ALL DEPENDS ${help_pages})
