# Extracts the texts a player sees into a gettext template:
#   cmake -DSOURCE=<project root> -DOUTPUT=<file.pot> -P Template.cmake
# The code marks its texts with zb::tr("...") and N_("..."); the desktop
# entry and the metainfo give their names, comments and descriptions.
file(GLOB_RECURSE sources RELATIVE ${SOURCE}
  ${SOURCE}/app/*.cpp ${SOURCE}/ui/*.cpp ${SOURCE}/game/*.cpp ${SOURCE}/sinkra/*.cpp
  ${SOURCE}/tessel/*.cpp ${SOURCE}/gyrex/*.cpp ${SOURCE}/platform/*.cpp ${SOURCE}/storage/*.cpp
  ${SOURCE}/tools/*.cpp ${SOURCE}/storage/*.h ${SOURCE}/game/*.h ${SOURCE}/ui/*.h ${SOURCE}/app/*.h)
list(SORT sources)
set(marked "")
foreach(f ${sources})
  file(READ ${SOURCE}/${f} text)
  if(text MATCHES "tr\\(\"|N_\\(\"")
    list(APPEND marked ${f})
  endif()
endforeach()
set(common --package-name=zenbox "--copyright-holder=The Zenbox developers" --msgid-bugs-address=zenbox@localhost --from-code=UTF-8
  --add-comments=TRANSLATORS: --sort-by-file -o ${OUTPUT})
execute_process(COMMAND xgettext ${common} -L C++ --keyword=tr --keyword=N_ ${marked}
  WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "xgettext failed on the sources")
endif()
execute_process(COMMAND xgettext ${common} -j -L Desktop dist/org.zenbox.Zenbox.desktop
  WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE rc)
execute_process(COMMAND xgettext ${common} -j dist/org.zenbox.Zenbox.metainfo.xml
  WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE rc2)
if(NOT rc EQUAL 0 OR NOT rc2 EQUAL 0)
  message(FATAL_ERROR "xgettext failed on the desktop entry or the metainfo")
endif()
