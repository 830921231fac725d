# Refuses an include that goes against the layers of the core.
#
#   cmake -DSOURCE_DIR=<src> -DLAYERS="texts;platform:texts;..." [-DSTAMP=<file>] -P LayerCheck.cmake
#
# LAYERS lists every subsystem folder of the core, lowest first, each as
# "name:dep1,dep2" (the folders it may include besides its own). A file of a
# core folder may include headers of its own folder, of the folders it
# declares and system headers; never a header of another folder of src/, nor
# Qt. EXCEPTIONS may name single includes ("file|header") that are still
# to be moved. Files under a qt/ folder are the Qt side and are not checked here. Every
# refused include is listed; then the check fails.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT LAYERS)
  message(FATAL_ERROR "LayerCheck: SOURCE_DIR and LAYERS are required")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(known "")
set(refused "")
set(layer_index 0)
foreach(entry IN LISTS LAYERS)
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 name)
  set(allowed "")
  list(LENGTH parts n)
  if(n GREATER 1)
    list(GET parts 1 deps)
    string(REPLACE "," ";" allowed "${deps}")
  endif()
  # A folder may only declare folders listed before it: the layers cannot form a cycle.
  foreach(dep IN LISTS allowed)
    if(NOT dep IN_LIST known)
      string(APPEND refused "  layer ${name} declares ${dep}, which is not a lower layer\n")
    endif()
  endforeach()
  list(APPEND known ${name})
  set(allowed_${name} ${allowed})
endforeach()

file(GLOB all_folders RELATIVE ${SOURCE_DIR} LIST_DIRECTORIES true ${SOURCE_DIR}/*)
foreach(name IN LISTS known)
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${name}/*.h ${SOURCE_DIR}/${name}/*.cpp)
  foreach(file IN LISTS files)
    if(file MATCHES "/qt/")
      continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" header "${line}")
      if(header MATCHES "^Q[A-Za-z]*(/|$)")
        string(APPEND refused "  ${file} includes ${header}: the core never includes Qt\n")
        continue()
      endif()
      if(NOT header MATCHES "/")
        continue()
      endif()
      string(REGEX REPLACE "/.*$" "" folder "${header}")
      if(folder STREQUAL name OR NOT folder IN_LIST all_folders OR NOT IS_DIRECTORY ${SOURCE_DIR}/${folder})
        continue()
      endif()
      if(header MATCHES "/qt/")
        string(APPEND refused "  ${file} includes ${header}: the core never includes the Qt side\n")
      elseif(NOT folder IN_LIST allowed_${name} AND NOT "${file}|${header}" IN_LIST EXCEPTIONS)
        string(REPLACE ";" ", " may "${allowed_${name}}")
        if(NOT may)
          set(may "its own folder")
        endif()
        string(APPEND refused "  ${file} includes ${header}: ${name} may include only ${may}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(refused)
  message(FATAL_ERROR "Includes against the layers of the core:\n${refused}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
