# -DPO=<LANG.po> -DPOT=<template>: fails unless the catalogue holds every
# text of the template, all translated and none fuzzy.
execute_process(COMMAND msgcmp ${PO} ${POT} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PO} misses texts of the template; run `cmake --build build --target zenbox-update-po`:\n${err}")
endif()
execute_process(COMMAND msgfmt --check --statistics -o /dev/null ${PO} RESULT_VARIABLE rc ERROR_VARIABLE stats)
if(NOT rc EQUAL 0 OR stats MATCHES "untranslated|fuzzy")
  message(FATAL_ERROR "${PO} is not complete or not valid: ${stats}")
endif()
