# Run with -DSRC=<assets folder> -DDST=<program folder>.
# The settings file and the word list are copied only when absent: the copies
# beside the program hold what the user changed.
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
foreach(f IN LISTS files)
  get_filename_component(name ${f} NAME)
  set(target ${DST}/${f})
  if(name STREQUAL "vantrel5.ini" OR name STREQUAL "words.txt")
    if(EXISTS ${target})
      continue()
    endif()
  endif()
  file(COPY_FILE ${SRC}/${f} ${target} ONLY_IF_DIFFERENT)
endforeach()
