# Ninja re-runs moc only for the headers it saw last time, so a header added to a folder
# would never be scanned in an existing build folder. When the folder's file list changes,
# the stamp of the target's moc step goes, and the next build scans the folder afresh.
function(lorvane_rescan_moc_when_files_change target sources)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt)
  set(previous "")
  if(EXISTS ${list_file})
    file(READ ${list_file} previous)
  endif()
  if(NOT previous STREQUAL "${sources}")
    file(WRITE ${list_file} "${sources}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
  endif()
endfunction()

# lorvane_library(<target> [DEPS <targets...>])
# One static library per subsystem folder, built from every source in the folder.
# Globbing keeps parallel work on a subsystem free of edits to a shared source list.
function(lorvane_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources})
  lorvane_rescan_moc_when_files_change(${target} "${sources}")
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# lorvane_test_suite(<subsystem folder under tests/> [DEPS <targets...>])
# One GoogleTest binary per subsystem; each test case becomes a CTest test.
function(lorvane_test_suite name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.h)
  if(NOT sources)
    return()
  endif()
  set(exe test_${name})
  add_executable(${exe} ${sources})
  lorvane_rescan_moc_when_files_change(${exe} "${sources}")
  target_link_libraries(${exe} PRIVATE lorvane_testsupport ${ARG_DEPS})
  # The sanitizers slow every test several times over, the programs the road tests
  # drive included, and those wait longer for each step there.
  if(LORVANE_SANITIZE)
    set(timeout 900)
  else()
    set(timeout 300)
  endif()
  gtest_discover_tests(${exe}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT ${timeout})
endfunction()
