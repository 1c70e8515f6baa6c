# Fails the build when the generated library lacks a file that the program
# opens by name on a new program folder: a start without them shows a
# message box for each and empty library browsers.
#   cmake -DLIBRARY=<folder> -P CheckStarterLibrary.cmake
set(required
  starter-library-manifest.txt
  RIr6.db
  NoPic.bmp
  point.x
  sptlight.x
  DIRLIGHT.x
  Show/S0_Show.ini)
set(missing "")
foreach(name IN LISTS required)
  if(NOT EXISTS "${LIBRARY}/${name}")
    list(APPEND missing "${name}")
  endif()
endforeach()
foreach(folder SModel STexture STPicture)
  file(GLOB_RECURSE found LIST_DIRECTORIES false "${LIBRARY}/${folder}/*")
  if(NOT found)
    list(APPEND missing "${folder}/ (empty)")
  endif()
endforeach()
if(missing)
  list(JOIN missing ", " listed)
  message(FATAL_ERROR "The starter library in ${LIBRARY} lacks: ${listed}")
endif()
