include(GoogleTest)
# Every <Name>Test.cpp in the calling folder becomes its own test executable,
# linked with the given libraries, so one layer's tests can grow without
# touching another's.
function(fuselark3_tests_from_files)
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  foreach(source ${test_sources})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE fuselark3_test_support ${ARGN})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FUSELARK3_GAME_DIR=${FUSELARK3_GAME_DIR}"
      DISCOVERY_TIMEOUT 60)
  endforeach()
endfunction()
