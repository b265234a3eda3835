# Runs the game headless with a script in a scratch folder that sees the
# data pack, then checks what the run must leave behind.
# -DZENBOX=<game> -DDATA=<data pack> -DSCRIPT=<script> -DWORK=<scratch folder>
# -DEXPECT="<file>;<file>..." (relative to WORK)
# -DSCRIPT2=<script> (optional): a second run in the same folder afterwards.
# -DDECRYPT=<zenbox-data> -DHOLDS_FILE=<file> -DHOLDS_TEXT=<text> (optional):
# the plain text of that encrypted file (relative to WORK) must hold the text.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
foreach(sub clp cfg wav music help)
  file(CREATE_LINK "${DATA}/${sub}" "${WORK}/${sub}" SYMBOLIC)
endforeach()
execute_process(COMMAND "${ZENBOX}" --headless --data "${WORK}" --script "${SCRIPT}"
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc TIMEOUT 300)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zenbox ended with ${rc}")
endif()
if(SCRIPT2)
  execute_process(COMMAND "${ZENBOX}" --headless --data "${WORK}" --script "${SCRIPT2}"
                  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc TIMEOUT 300)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "zenbox ended with ${rc} on the second run")
  endif()
endif()
foreach(f ${EXPECT})
  if(NOT EXISTS "${WORK}/${f}")
    message(FATAL_ERROR "the run left no ${f}")
  endif()
endforeach()
if(HOLDS_FILE)
  execute_process(COMMAND "${DECRYPT}" decrypt "${WORK}/${HOLDS_FILE}" TideMarsh
                  OUTPUT_VARIABLE plain RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${HOLDS_FILE} did not decrypt")
  endif()
  string(FIND "${plain}" "${HOLDS_TEXT}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${HOLDS_FILE} holds no ${HOLDS_TEXT}")
  endif()
endif()
