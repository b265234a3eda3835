# Start-up problems a player can meet must end the program with a message
# and a failing exit code, never silently or invisibly.
# Variables: ZENBOX, DATA (the data pack), WORK (a scratch folder).

function(expect_failure name code text)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET TIMEOUT 60)
  if(NOT rc STREQUAL "${code}")
    message(FATAL_ERROR "${name}: exit ${rc}, expected ${code}\n${err}")
  endif()
  string(FIND "${err}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${name}: no \"${text}\" in:\n${err}")
  endif()
endfunction()

# A data folder that sees the pack, with the shared pictures linked one by one
# so single ones can be taken away.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/clp/Tessel")
foreach(sub cfg wav music help icon)
  file(CREATE_LINK "${DATA}/${sub}" "${WORK}/${sub}" SYMBOLIC)
endforeach()
file(GLOB clips RELATIVE "${DATA}/clp" "${DATA}/clp/*.clp" "${DATA}/clp/Tessel/*.clp")
foreach(clip ${clips})
  file(CREATE_LINK "${DATA}/clp/${clip}" "${WORK}/clp/${clip}" SYMBOLIC)
endforeach()
foreach(sub Sinkra Gyrex)
  file(CREATE_LINK "${DATA}/clp/${sub}" "${WORK}/clp/${sub}" SYMBOLIC)
endforeach()

file(REMOVE "${WORK}/clp/alph.clp")
expect_failure("missing letter set" 255 "clp/alph.clp" ${ZENBOX} --headless --data ${WORK})
file(CREATE_LINK "${DATA}/clp/alph.clp" "${WORK}/clp/alph.clp" SYMBOLIC)
file(REMOVE "${WORK}/clp/Tessel/gst.clp")
file(WRITE "${WORK}/clp/Tessel/gst.clp" "")
expect_failure("empty sparkle" 255 "gst.clp" ${ZENBOX} --headless --data ${WORK})

# Without a display SDL would fall back to a driver that shows nothing.
unset(ENV{SDL_VIDEODRIVER})
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
expect_failure("no display" 1 "no display found" ${ZENBOX} --windowed --data ${DATA})
