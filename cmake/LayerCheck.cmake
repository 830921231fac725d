# Refuses an include that goes against the layers of src/.
#
#   cmake -DSOURCE_DIR=<src> -DLAYERS="texts;platform:texts;..." [-DUPPER="platform/qt;cli:texts,..."]
#         [-DTEXTS="Header.h:owner;..."] [-DSTAMP=<file>] -P LayerCheck.cmake
#
# LAYERS lists the folders of the core, lowest first, each as "name:dep1,dep2"
# (the layers it may include besides its own folder). UPPER lists, in the same
# form, the layers above the core: a Qt folder "<folder>/qt" and the programs
# and modules on the core (the batch tool, the Python module). Every layer may
# declare only layers listed before it, so the layers cannot form a cycle.
#
# What a file may include besides system headers:
#   - a file of a core folder (not under its qt/ folder): its own folder and the
#     layers it declares; never Qt, never a qt/ folder;
#   - a file of a Qt folder <folder>/qt: Qt, its own folder (<folder>/qt and
#     <folder>), what the core folder <folder> may include, the layers it
#     declares and every text header (its library links the core folder's
#     library and those of the layers it declares);
#   - a file of any other layer above the core: its own folder and the layers it
#     declares; never Qt.
# Every .h and .cpp under SOURCE_DIR belongs to a layer: a file of a folder that
# is no layer is refused. With TEXTS, the text headers of the texts folder have
# owners: each is "Header.h:folder" (or "Header.h:*" for the texts every layer
# shares); a layer may include the text headers of its own folder and of the
# layers it declares (a Qt folder: every one), and a text header
# without an owner is refused. EXCEPTIONS may name single includes
# ("file|header") that are still to be moved. Every refused include is listed;
# then the check fails.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT LAYERS)
  message(FATAL_ERROR "LayerCheck: SOURCE_DIR and LAYERS are required")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

include(${CMAKE_CURRENT_LIST_DIR}/LayerEntry.cmake)

set(core "")
set(known "")
set(refused "")
foreach(entry IN LISTS LAYERS UPPER)
  zebstat_layer_entry("${entry}" name allowed)
  foreach(dep IN LISTS allowed)
    if(NOT dep IN_LIST known)
      string(APPEND refused "  layer ${name} declares ${dep}, which is not a lower layer\n")
    endif()
  endforeach()
  if(name MATCHES "/qt$" AND entry IN_LIST LAYERS)
    string(APPEND refused "  layer ${name} is a Qt folder: it belongs above the core\n")
  endif()
  list(APPEND known ${name})
  if(entry IN_LIST LAYERS)
    list(APPEND core ${name})
  endif()
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

# The layer a path (of a file or of an include) lies in: "<folder>/qt" under a
# qt/ folder, else the top folder.
function(layer_of path out)
  if(path MATCHES "^([^/]+)/qt/")
    set(${out} "${CMAKE_MATCH_1}/qt" PARENT_SCOPE)
  elseif(path MATCHES "^([^/]+)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
list(SORT files)
foreach(file IN LISTS files)
  layer_of("${file}" name)
  if(NOT name IN_LIST known)
    string(APPEND refused "  ${file} lies in ${name}, which is no layer\n")
    continue()
  endif()
  set(qt_layer OFF)
  set(folder_of_qt "")
  if(name MATCHES "^(.+)/qt$")
    set(qt_layer ON)
    set(folder_of_qt ${CMAKE_MATCH_1})
  endif()
  set(is_core OFF)
  if(name IN_LIST core)
    set(is_core ON)
  endif()
  # What this layer may include besides its own folder, as the refusal names it.
  set(may ${allowed_${name}})
  if(qt_layer AND folder_of_qt IN_LIST core)
    list(PREPEND may "${folder_of_qt} and what it may include")
  endif()
  string(REPLACE ";" ", " may "${may}")
  if(NOT may)
    set(may "its own folder")
  endif()

  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" header "${line}")
    if(header MATCHES "^Q[A-Za-z]*(/|$)")
      if(is_core)
        string(APPEND refused "  ${file} includes ${header}: the core never includes Qt\n")
      elseif(NOT qt_layer)
        string(APPEND refused "  ${file} includes ${header}: only a qt/ folder includes Qt\n")
      endif()
      continue()
    endif()
    layer_of("${header}" target)
    string(REGEX REPLACE "/.*$" "" top "${target}")
    if(NOT target OR NOT IS_DIRECTORY ${SOURCE_DIR}/${top})
      continue()  # a system header
    endif()
    if(TEXTS AND target STREQUAL "texts" AND NOT name STREQUAL "texts")
      string(REGEX REPLACE "^texts/" "" text "${header}")
      if(DEFINED text_owner_${text})
        set(owner ${text_owner_${text}})
        if(NOT owner STREQUAL "*" AND NOT owner STREQUAL name AND NOT owner IN_LIST allowed_${name}
           AND NOT qt_layer)
          string(APPEND refused "  ${file} includes ${header}: the texts of ${owner}, above ${name}\n")
        endif()
      endif()
      continue()
    endif()
    if(target STREQUAL name OR "${file}|${header}" IN_LIST EXCEPTIONS)
      continue()
    endif()
    if(is_core AND target MATCHES "/qt$")
      string(APPEND refused "  ${file} includes ${header}: the core never includes the Qt side\n")
    elseif(qt_layer AND (target STREQUAL folder_of_qt
                         OR (folder_of_qt IN_LIST core AND target IN_LIST allowed_${folder_of_qt})))
      continue()
    elseif(NOT target IN_LIST allowed_${name})
      string(APPEND refused "  ${file} includes ${header}: ${name} may include only ${may}\n")
    endif()
  endforeach()
endforeach()

if(refused)
  message(FATAL_ERROR "Includes against the layers:\n${refused}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
