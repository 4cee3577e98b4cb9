# What `cmake --install` lays out: the programs, the shipped game files (made
# at build time by the generators, read-only once installed) and what a
# desktop needs to show the game in its menu. Every place is relative to the
# prefix, so any prefix works.
set(FUSELARK3_HOMEPAGE "https://fuselark3.example.org" CACHE STRING
    "Web address of the project; the menu metadata points its screenshots there")
set(FUSELARK3_APP_ID org.fuselark3.fuselark3)

install(TARGETS fuselark3 fuselark3-level fuselark3-sim RUNTIME DESTINATION ${FUSELARK3_INSTALL_GAMESDIR})
if(TARGET fuselark3-arena)
  install(TARGETS fuselark3-arena RUNTIME DESTINATION ${FUSELARK3_INSTALL_GAMESDIR})
endif()
install(TARGETS fuselark3-net RUNTIME DESTINATION ${FUSELARK3_INSTALL_GAMESDIR})

# Only the shipped files: the build folder also holds the program and
# whatever was saved while playing from it.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/default-keys/ DESTINATION ${FUSELARK3_INSTALL_DATADIR})
get_property(FUSELARK3_SHIPPED_FILES GLOBAL PROPERTY FUSELARK3_SHIPPED_FILES)
install(FILES ${FUSELARK3_SHIPPED_FILES} DESTINATION ${FUSELARK3_INSTALL_DATADIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${FUSELARK3_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PROJECT_SOURCE_DIR}/data/desktop/${FUSELARK3_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/desktop/${FUSELARK3_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/desktop/${FUSELARK3_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${FUSELARK3_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# Manual pages go out compressed, as Debian's man expects them.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)
set(FUSELARK3_MAN_PAGES ${PROJECT_SOURCE_DIR}/data/man/fuselark3.6 ${PROJECT_SOURCE_DIR}/data/man/fuselark3-level.1
                        ${PROJECT_SOURCE_DIR}/data/man/fuselark3-sim.1 ${PROJECT_SOURCE_DIR}/data/man/fuselark3-net.1)
if(TARGET fuselark3-arena)
  list(APPEND FUSELARK3_MAN_PAGES ${PROJECT_SOURCE_DIR}/data/man/fuselark3-arena.1)
endif()
set(FUSELARK3_COMPRESSED_MAN_PAGES)
foreach(page ${FUSELARK3_MAN_PAGES})
  get_filename_component(name ${page} NAME)
  string(REGEX MATCH "[0-9]$" section ${name})
  set(compressed ${CMAKE_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND gzip -9 -n -c ${page} > ${compressed}
                     DEPENDS ${page}
                     VERBATIM)
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  list(APPEND FUSELARK3_COMPRESSED_MAN_PAGES ${compressed})
endforeach()
add_custom_target(fuselark3_man_pages ALL DEPENDS ${FUSELARK3_COMPRESSED_MAN_PAGES})
