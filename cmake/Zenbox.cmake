# One static library per source folder, named zb_<folder>. Sources are
# globbed so adding a file needs no CMake edit.
set_property(GLOBAL PROPERTY ZB_LIBS "")

function(zb_library name)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_library(zb_${name} STATIC ${srcs})
  target_include_directories(zb_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ARGN)
    target_link_libraries(zb_${name} PUBLIC ${ARGN})
  endif()
  set_property(GLOBAL APPEND PROPERTY ZB_LIBS zb_${name})
endfunction()

function(zb_link_group target)
  get_property(libs GLOBAL PROPERTY ZB_LIBS)
  list(JOIN libs "," joined)
  add_library(${target} INTERFACE)
  target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} INTERFACE "$<LINK_GROUP:RESCAN,${joined}>"
    PkgConfig::SDL2 PkgConfig::FONTCONFIG PkgConfig::X11 JPEG::JPEG Threads::Threads)
endfunction()

# A test executable from every *.cpp in the current folder, registered with
# CTest. Extra arguments name the libraries it needs (default: everything);
# naming only the layers under test keeps a broken file elsewhere from
# stopping these tests.
function(zb_test_dir name)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(test_${name} ${srcs})
  set(libs ${ARGN})
  if(NOT libs)
    set(libs zb_all)
  endif()
  target_link_libraries(test_${name} PRIVATE ${libs} zb_testsupport GTest::gtest GTest::gmock)
  gtest_discover_tests(test_${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_MODE PRE_TEST)
endfunction()
