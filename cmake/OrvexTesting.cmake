# orvex_add_gtest(name SOURCES ... LIBS ... [QT] [LABELS ...])
# Builds one GoogleTest program and registers its cases with CTest. Discovery
# runs at test time so a test binary is never started during the build.
# QT: links the shared Qt test main, which forces the offscreen platform.
function(orvex_add_gtest name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE orvex_compile_settings ${T_LIBS})
  if(T_QT)
    target_link_libraries(${name} PRIVATE orvex_qt_gtest_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set(env "QT_QPA_PLATFORM=offscreen")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" LABELS "${T_LABELS}" TIMEOUT 300)
endfunction()
