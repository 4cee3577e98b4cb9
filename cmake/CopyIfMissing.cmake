# Copies each file of SOURCE_DIR into TARGET_DIR unless a file of that name is
# already there: a player's saved keys must survive a rebuild.
file(GLOB defaults "${SOURCE_DIR}/*")
foreach(source ${defaults})
  get_filename_component(name ${source} NAME)
  if(NOT EXISTS "${TARGET_DIR}/${name}")
    file(COPY ${source} DESTINATION ${TARGET_DIR})
  endif()
endforeach()
