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
      # One value per property: test discovery splits a list into separate
      # arguments, which would drop all but the first variable.
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                 ENVIRONMENT_MODIFICATION "FUSELARK3_GAME_DIR=set:${FUSELARK3_GAME_DIR}"
      DISCOVERY_TIMEOUT 60)
  endforeach()
endfunction()
