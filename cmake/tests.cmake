# GoogleTest from the Debian sources, built with the same toolchain as the code under test.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Fakes and helpers shared by every test program.
file(GLOB QUENMARK_SUPPORT_SOURCES CONFIGURE_DEPENDS tests/support/*.cpp)
list(FILTER QUENMARK_SUPPORT_SOURCES EXCLUDE REGEX "_win32\\.cpp$")
add_library(quenmark_test_support STATIC ${QUENMARK_SUPPORT_SOURCES})
quenmark_target(quenmark_test_support)
target_include_directories(quenmark_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(quenmark_test_support PUBLIC quenmark_core GTest::gtest GTest::gmock)

# The core's unit tests: the same sources natively and, as a Windows program, under Wine.
file(GLOB QUENMARK_UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${QUENMARK_UNIT_SOURCES})
if(WIN32)
  target_sources(unit_tests PRIVATE ${QUENMARK_RC})  # version information, icon, manifest
endif()
quenmark_target(unit_tests)
target_link_libraries(unit_tests PRIVATE quenmark_test_support GTest::gtest_main)

if(NOT CMAKE_CROSSCOMPILING)
  include(GoogleTest)
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)
  # scripts/setup's decisions, against a stand-in apt-get (no network, nothing installed).
  add_test(NAME setup_decisions COMMAND bash ${PROJECT_SOURCE_DIR}/tests/setup/setup_test.sh)
  add_test(NAME check_layers COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/layers/check_layers_test.py)
  add_test(NAME policy_templates
           COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/install/policy_templates_test.py)
  return()
endif()

# ---- Windows: everything below runs under Wine ------------------------------------------
set(QUENMARK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(QUENMARK_WINEARCH win64)
else()
  set(QUENMARK_WINEARCH win32)
endif()
set(QUENMARK_WINE_ENV "WINEPREFIX=${QUENMARK_WINEPREFIX}" "WINEARCH=${QUENMARK_WINEARCH}"
    "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
add_test(NAME wine_up COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh up)
add_test(NAME wine_down COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh down)
set_tests_properties(wine_up PROPERTIES FIXTURES_SETUP WINE ENVIRONMENT "${QUENMARK_WINE_ENV}")
set_tests_properties(wine_down PROPERTIES FIXTURES_CLEANUP WINE ENVIRONMENT "${QUENMARK_WINE_ENV}")

function(quenmark_wine_test name)
  add_test(NAME ${name} COMMAND ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED WINE RESOURCE_LOCK wine
                       ENVIRONMENT "${QUENMARK_WINE_ENV}" TIMEOUT 600)
endfunction()

quenmark_wine_test(unit_tests unit_tests)

# Win32 adapters and windows, tested in-process against the real system calls of Wine.
file(GLOB QUENMARK_WIN_TEST_SOURCES CONFIGURE_DEPENDS tests/win/*.cpp tests/support/*_win32.cpp)
if(QUENMARK_WIN_TEST_SOURCES)
  add_executable(win_tests ${QUENMARK_WIN_TEST_SOURCES} ${QUENMARK_RC})
  # win_tests checks the resources of its sibling programs and the help file beside them.
  add_dependencies(win_tests Quenmark unit_tests quenmark_help)
  quenmark_target(win_tests)
  target_include_directories(win_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(win_tests PRIVATE quenmark_win quenmark_test_support GTest::gtest_main)
  target_link_libraries(win_tests PRIVATE ws2_32)  # the test HTTP server
  target_link_libraries(win_tests PRIVATE shell32)  # the tests look at the tray themselves
  target_link_libraries(win_tests PRIVATE oleacc)  # the accessibility API
  quenmark_wine_test(win_tests win_tests)
  # Wine keeps no event log to read back: the record written is checked in Wine's own trace.
  quenmark_wine_test(wine_event_log ${PROJECT_SOURCE_DIR}/tests/win/event_log_trace.sh
                     $<TARGET_FILE:win_tests>)
endif()

# The subject of the interrupted-save test in win_tests: saves schedules in a loop through the
# program's own file layer until the test kills it. It sits beside win_tests.
if(TARGET win_tests)
  add_executable(save_loop tests/reliability/save_loop_win32.cpp)
  quenmark_target(save_loop)
  target_include_directories(save_loop PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(save_loop PRIVATE quenmark_win)
  target_link_options(save_loop PRIVATE -municode)
  add_dependencies(win_tests save_loop)
endif()

if(EXISTS ${PROJECT_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()

if(EXISTS ${PROJECT_SOURCE_DIR}/tests/install/CMakeLists.txt)
  add_subdirectory(tests/install)
endif()
