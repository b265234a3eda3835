# -DBUILD=<build folder> -DWORK=<scratch folder> -DROOT_PREFIX, -DBINDIR,
# -DDATADIR (the configured install layout) -DPLAY=<script of a short game>
# -DINTRO=<script that shoots the intro as intro.png>
# -DPICK=<script that shoots the pick-game screen as pick.png>
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(ENV{DESTDIR} "${WORK}/stage")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install into the staging folder failed: ${rc}")
endif()
unset(ENV{DESTDIR})
set(root "${WORK}/stage${ROOT_PREFIX}")
set(pack "${root}/${DATADIR}/zenbox")

foreach(check "desktop-file-validate;${root}/${DATADIR}/applications/org.zenbox.Zenbox.desktop"
              "appstreamcli;validate;--no-net;${root}/${DATADIR}/metainfo/org.zenbox.Zenbox.metainfo.xml")
  execute_process(COMMAND ${check} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR out MATCHES "(error|warning):")
    message(FATAL_ERROR "${check} failed (${rc}):\n${out}")
  endif()
endforeach()
foreach(f "${root}/${BINDIR}/zenbox-data" "${root}/${DATADIR}/icons/hicolor/48x48/apps/zenbox.png"
          "${root}/${DATADIR}/man/man6/zenbox.6" "${pack}/clp/bt0.clp"
          "${root}/${DATADIR}/locale/de/LC_MESSAGES/zenbox.mo" "${root}/${DATADIR}/locale/fr/LC_MESSAGES/zenbox.mo"
          "${root}/${DATADIR}/locale/es/LC_MESSAGES/zenbox.mo")
  if(NOT EXISTS "${f}")
    message(FATAL_ERROR "the install has no ${f}")
  endif()
endforeach()

# Every file of the pack with its hash, to prove the runs never write there.
function(pack_state out)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${pack}" "${pack}/*")
  list(SORT entries)
  set(state "")
  foreach(e ${entries})
    set(hash "dir")
    if(NOT IS_DIRECTORY "${pack}/${e}")
      file(SHA1 "${pack}/${e}" hash)
    endif()
    string(APPEND state "${e} ${hash}\n")
  endforeach()
  set(${out} "${state}" PARENT_SCOPE)
endfunction()
pack_state(before)

# play(<script> <expected exit code>): the installed game, no --data.
function(play script expect)
  execute_process(COMMAND "${root}/${BINDIR}/zenbox" --headless --script "${script}"
                  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc ERROR_VARIABLE err TIMEOUT 300)
  if(NOT rc STREQUAL expect)
    message(FATAL_ERROR "zenbox ended with ${rc}, not ${expect}: ${err}")
  endif()
  set(err "${err}" PARENT_SCOPE)
endfunction()

set(ENV{HOME} "${WORK}/home")
set(ENV{XDG_DATA_HOME} "${WORK}/xdg")
play("${PLAY}" 0)
foreach(f zenbox.cfg save/Sinkra.sav save/Sinkra_1.sav)
  if(NOT EXISTS "${WORK}/xdg/zenbox/${f}")
    message(FATAL_ERROR "the game left no ${f} in the per-user folder")
  endif()
endforeach()
if(EXISTS "${WORK}/home/.local/share/zenbox")
  message(FATAL_ERROR "XDG_DATA_HOME was set, yet the game wrote under HOME")
endif()

# Without XDG_DATA_HOME the folder is ~/.local/share/zenbox; a picture placed
# there replaces the pack's.
unset(ENV{XDG_DATA_HOME})
play("${INTRO}" 0)
set(user "${WORK}/home/.local/share/zenbox")
if(NOT EXISTS "${user}/zenbox.cfg")
  message(FATAL_ERROR "no settings in ${user}")
endif()
file(RENAME "${WORK}/intro.png" "${WORK}/intro_pack.png")
file(MAKE_DIRECTORY "${user}/clp")
file(COPY_FILE "${pack}/clp/jp8.clp" "${user}/clp/i1.clp")
play("${INTRO}" 0)
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/intro_pack.png" "${WORK}/intro.png"
                RESULT_VARIABLE same)
if(same EQUAL 0)
  message(FATAL_ERROR "the intro picture in ${user}/clp was not used")
endif()

# A per-user folder that cannot be made (a file is in the way) is named.
file(TOUCH "${WORK}/blocker")
set(ENV{XDG_DATA_HOME} "${WORK}/blocker")
play("${INTRO}" 2)
if(NOT err MATCHES "cannot create the folder for settings and saved games ${WORK}/blocker/zenbox")
  message(FATAL_ERROR "unclear message for an impossible per-user folder: ${err}")
endif()

# The installed game finds its catalogues: its pick-game screen in German
# is not the English one.
unset(ENV{XDG_DATA_HOME})
execute_process(COMMAND "${root}/${BINDIR}/zenbox" --headless --language de --script "${PICK}"
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc TIMEOUT 300)
file(RENAME "${WORK}/pick.png" "${WORK}/pick_de.png")
execute_process(COMMAND "${root}/${BINDIR}/zenbox" --headless --script "${PICK}"
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc2 TIMEOUT 300)
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/pick_de.png" "${WORK}/pick.png"
                RESULT_VARIABLE same)
if(NOT rc EQUAL 0 OR NOT rc2 EQUAL 0 OR same EQUAL 0)
  message(FATAL_ERROR "the installed game did not speak German with --language de (${rc}, ${rc2})")
endif()

pack_state(after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the runs changed the installed pack")
endif()
