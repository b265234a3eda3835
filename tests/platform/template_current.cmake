# -DSOURCE=<project root> -DWORK=<scratch folder>: extracts the template
# afresh and compares its texts with po/zenbox.pot both ways.
set(fresh ${WORK}/fresh.pot)
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${SOURCE} -DOUTPUT=${fresh} -P ${SOURCE}/po/Template.cmake
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "extracting the template failed")
endif()
foreach(pair "${fresh};${SOURCE}/po/zenbox.pot" "${SOURCE}/po/zenbox.pot;${fresh}")
  execute_process(COMMAND msgcmp --use-untranslated ${pair} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "po/zenbox.pot is out of date; run `cmake --build build --target zenbox-pot`:\n${err}")
  endif()
endforeach()
