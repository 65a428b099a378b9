# cmake -DSOURCE=<folder of data folders> -DDEST=<program folder> -P PlaceData.cmake
if(EXISTS "${SOURCE}")
  file(GLOB folders LIST_DIRECTORIES true "${SOURCE}/*")
  foreach(folder IN LISTS folders)
    if(IS_DIRECTORY "${folder}")
      file(COPY "${folder}" DESTINATION "${DEST}")
    endif()
  endforeach()
endif()
