# Refuses an include that climbs out of its folder (#include "../…"): it would reach a header
# past the include paths that let each folder see only itself and the folders below it.
#
#   include(${CMAKE_SOURCE_DIR}/tools/parent_includes.cmake)   checks when the build is configured
#   cmake -DTAVREL_ROOT=<source folder> -P parent_includes.cmake   checks again (every build)
#
# Either way a file that holds one stops with its name and the line.
function(tavrel_refuse_parent_includes root)
  set(offenders)
  foreach(folder platform formats ui assets shell players signin records authoring app tools fuzz
                 tests)
    file(GLOB_RECURSE files ${root}/${folder}/*.cpp ${root}/${folder}/*.h)
    foreach(file ${files})
      file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"\\.\\./")
      if(lines)
        file(RELATIVE_PATH shown ${root} ${file})
        foreach(line ${lines})
          list(APPEND offenders "${shown}: ${line}")
        endforeach()
      endif()
    endforeach()
  endforeach()
  if(offenders)
    list(JOIN offenders "\n  " listed)
    message(FATAL_ERROR "An include climbs out of its folder, past the layers; write "
                        "\"folder/file.h\" from the folders the library sees:\n  ${listed}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  tavrel_refuse_parent_includes(${TAVREL_ROOT})
else()
  tavrel_refuse_parent_includes(${CMAKE_SOURCE_DIR})
endif()
