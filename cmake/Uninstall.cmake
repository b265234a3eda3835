# Removes what `cmake --install` put in place, as listed in its manifest
# (DESTDIR from the environment, as for the install), then the data pack's
# folders once no file is left in them.
# -DMANIFEST=<build>/install_manifest.txt
if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "${MANIFEST} is missing: nothing was installed from this build")
endif()
file(STRINGS "${MANIFEST}" files)
set(pack "")
foreach(f ${files})
  file(REMOVE "$ENV{DESTDIR}${f}")
  if(f MATCHES "^(.*/zenbox)/clp/bt0\\.clp$")
    set(pack "$ENV{DESTDIR}${CMAKE_MATCH_1}")
  endif()
endforeach()
if(pack AND IS_DIRECTORY "${pack}")
  file(GLOB_RECURSE left "${pack}/*")
  if(NOT left)
    file(REMOVE_RECURSE "${pack}")
  endif()
endif()
list(LENGTH files n)
message(STATUS "Removed ${n} installed files")
