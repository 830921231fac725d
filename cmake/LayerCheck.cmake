# Refuses an include that goes against the layers of the core.
#
#   cmake -DSOURCE_DIR=<src> -DLAYERS="texts;platform:texts;..." [-DTEXTS="Header.h:owner;..."]
#         [-DSTAMP=<file>] -P LayerCheck.cmake
#
# LAYERS lists every subsystem folder of the core, lowest first, each as
# "name:dep1,dep2" (the folders it may include besides its own). A file of a
# core folder may include headers of its own folder, of the folders it
# declares and system headers; never a header of another folder of src/, nor
# Qt. With TEXTS, the text headers of the texts folder have owners as well:
# each is "Header.h:folder" (or "Header.h:*" for the texts every layer shares),
# and a folder may include the text headers of its own and of the folders it
# declares; a text header without an owner is refused. EXCEPTIONS may name single includes ("file|header") that are still
# to be moved. Files under a qt/ folder are the Qt side and are not checked here. Every
# refused include is listed; then the check fails.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT LAYERS)
  message(FATAL_ERROR "LayerCheck: SOURCE_DIR and LAYERS are required")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

include(${CMAKE_CURRENT_LIST_DIR}/LayerEntry.cmake)

set(known "")
set(refused "")
foreach(entry IN LISTS LAYERS)
  zebstat_layer_entry("${entry}" name allowed)
  # A folder may only declare folders listed before it: the layers cannot form a cycle.
  foreach(dep IN LISTS allowed)
    if(NOT dep IN_LIST known)
      string(APPEND refused "  layer ${name} declares ${dep}, which is not a lower layer\n")
    endif()
  endforeach()
  list(APPEND known ${name})
  set(allowed_${name} ${allowed})
endforeach()

set(text_headers "")
foreach(entry IN LISTS TEXTS)
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 header)
  list(GET parts 1 owner)
  list(APPEND text_headers ${header})
  set(text_owner_${header} ${owner})
  if(NOT owner STREQUAL "*" AND NOT owner IN_LIST known)
    string(APPEND refused "  text header ${header} belongs to ${owner}, which is no layer\n")
  endif()
endforeach()
if(TEXTS)
  file(GLOB present RELATIVE ${SOURCE_DIR}/texts ${SOURCE_DIR}/texts/*.h)
  foreach(header IN LISTS present)
    if(NOT header IN_LIST text_headers)
      string(APPEND refused "  texts/${header} has no owner: name it in the text owners\n")
    endif()
  endforeach()
endif()

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
      if(TEXTS AND folder STREQUAL "texts" AND NOT name STREQUAL "texts")
        string(REGEX REPLACE "^texts/" "" text "${header}")
        if(DEFINED text_owner_${text})
          set(owner ${text_owner_${text}})
          if(NOT owner STREQUAL "*" AND NOT owner STREQUAL name AND NOT owner IN_LIST allowed_${name})
            string(APPEND refused "  ${file} includes ${header}: the texts of ${owner}, above ${name}\n")
          endif()
        endif()
        continue()
      endif()
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
