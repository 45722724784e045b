# Helpers shared by the subsystem folders: warnings for our own code, public
# header registration (installed under include/qzcore/<subsystem>/) and tests.

function(qz_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${QZ_WARNINGS_AS_ERRORS}>:-Werror>)
endfunction()

# qz_public_headers(<subsystem> <header>...): headers a client may include;
# anything not listed here stays internal and is never installed.
function(qz_public_headers subsystem)
  foreach(header IN LISTS ARGN)
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${header}
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qzcore/${subsystem}
            COMPONENT devel)
  endforeach()
endfunction()

# qz_sources(<file>...): library sources of the calling subsystem folder.
function(qz_sources)
  list(TRANSFORM ARGN PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  target_sources(qzcore_objects PRIVATE ${ARGN})
endfunction()

# qz_gtest(<name> [INTERNAL] [TIMEOUT <seconds>] [PREFIX <text>] SOURCES <file>... [LIBS <lib>...]):
# one test program. Tests of the exported interface link the shared library;
# INTERNAL tests link the static archive of the same objects to reach hidden
# helpers. TIMEOUT bounds each test case at about ten times its usual time in
# the dev build (default 10 s); the sanitizer builds stretch it by their
# slow-down, so that a hang costs seconds, not ten minutes. PREFIX goes before
# every test name, so that `ctest -R` finds a subsystem whose suites are named
# after several classes.
function(qz_gtest name)
  cmake_parse_arguments(T "INTERNAL" "TIMEOUT;PREFIX" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  qz_warnings(${name})
  if(T_INTERNAL)
    target_link_libraries(${name} PRIVATE qzcore_static)
  else()
    target_link_libraries(${name} PRIVATE qzcore)
  endif()
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${T_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 10)
  endif()
  if(QZ_SANITIZE MATCHES "thread")
    math(EXPR T_TIMEOUT "${T_TIMEOUT} * 8")
  elseif(QZ_SANITIZE)
    math(EXPR T_TIMEOUT "${T_TIMEOUT} * 4")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${T_PREFIX}"
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
