# Copies the run-time Data folder beside the editor, keeping a settings file already there.
file(GLOB entries RELATIVE ${SOURCE} ${SOURCE}/*)
file(MAKE_DIRECTORY ${TARGET})
foreach(entry ${entries})
  if(entry STREQUAL "settings.ini" AND EXISTS ${TARGET}/settings.ini)
    continue()
  endif()
  file(COPY ${SOURCE}/${entry} DESTINATION ${TARGET})
endforeach()
