# One helper per kind of test, so test folders only list their sources.
if(CMAKE_CROSSCOMPILING)
  # No GoogleTest is installed for the target: build it from the sources libgtest-dev ships.
  set(RADIO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for a cross build")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${RADIO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own build names its targets GTest::gtest, GTest::gtest_main, GTest::gmock.
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# radio_core_test(NAME src...): a GoogleTest executable over the Qt-free core.
function(radio_core_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE radio_core GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE RADIO_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
                                             RADIO_RESOURCES="${CMAKE_SOURCE_DIR}/resources")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS core TIMEOUT 300)
endfunction()

# radio_qt_test(NAME src...): a Qt Test executable over the Qt layer, run offscreen.
function(radio_qt_test name)
  if(NOT RADIO_WITH_QT)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE radio_ui Qt6::Test)
  target_compile_definitions(${name} PRIVATE RADIO_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
                                             RADIO_RESOURCES="${CMAKE_SOURCE_DIR}/resources")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS qt TIMEOUT 300
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# radio_gtest_qt(NAME src...): a GoogleTest executable that needs Qt Core (serial adapter, CLI).
function(radio_gtest_qt name)
  if(NOT RADIO_WITH_QT)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE radio_qtcore GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE RADIO_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
                                             RADIO_RESOURCES="${CMAKE_SOURCE_DIR}/resources"
                                             RADIO_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS qt TIMEOUT 300
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
