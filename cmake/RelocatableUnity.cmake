# Unity builds whose batch files are the same in every clone of the project.
#
# CMake's own unity build writes each batch as #include lines with absolute
# paths, so the batches of two clones in different folders differ and ccache
# compiles every batch again. Here the batches are written by us with the
# path of each source relative to the batch file: the batch of a clone in
# another folder (with its build folder at the same place inside the clone) is
# the same text, and ccache (with CCACHE_BASEDIR at the top of the clone) finds
# it in its cache.
#
# zebstat_relocatable_unity(TARGET BATCH_SIZE) batches the C++ sources of the
# source tree that a target compiles, in the order the target lists them (the
# batches CMake would make), leaving out those marked
# SKIP_UNITY_BUILD_INCLUSION; the sources stay in the target as headers only.
# zebstat_relocatable_unity_everywhere(BATCH_SIZE) does it for every target of
# the project (call it at the end of the top CMakeLists.txt).

function(zebstat_relocatable_unity target batch_size)
  get_target_property(type ${target} TYPE)
  if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|EXECUTABLE|OBJECT_LIBRARY)$")
    return()
  endif()
  get_target_property(imported ${target} IMPORTED)
  if(imported)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  get_target_property(binary_dir ${target} BINARY_DIR)
  if(NOT sources)
    return()
  endif()
  set(batchable "")
  foreach(source IN LISTS sources)
    if(source MATCHES "^\\$<")
      continue()  # a generator expression: not ours to batch
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} NORMALIZE OUTPUT_VARIABLE path)
    if(NOT path MATCHES "\\.cpp$")
      continue()
    endif()
    cmake_path(IS_PREFIX CMAKE_SOURCE_DIR ${path} NORMALIZE inside)
    if(NOT inside OR NOT EXISTS ${path})
      continue()
    endif()
    get_source_file_property(skip ${source} TARGET_DIRECTORY ${target} SKIP_UNITY_BUILD_INCLUSION)
    if(skip)
      continue()
    endif()
    list(APPEND batchable ${path})
  endforeach()
  list(LENGTH batchable count)
  if(count LESS 2)
    return()
  endif()
  set(folder ${binary_dir}/unity/${target})
  set(batch 0)
  set(in_batch 0)
  set(content "")
  set(batches "")
  foreach(path IN LISTS batchable)
    cmake_path(RELATIVE_PATH path BASE_DIRECTORY ${folder} OUTPUT_VARIABLE relative)
    string(APPEND content "#include \"${relative}\"\n")
    math(EXPR in_batch "${in_batch} + 1")
    if(in_batch EQUAL batch_size)
      file(CONFIGURE OUTPUT ${folder}/unity_${batch}.cpp CONTENT "${content}" @ONLY)
      list(APPEND batches ${folder}/unity_${batch}.cpp)
      math(EXPR batch "${batch} + 1")
      set(in_batch 0)
      set(content "")
    endif()
  endforeach()
  if(in_batch GREATER 0)
    file(CONFIGURE OUTPUT ${folder}/unity_${batch}.cpp CONTENT "${content}" @ONLY)
    list(APPEND batches ${folder}/unity_${batch}.cpp)
  endif()
  set_source_files_properties(${batchable} TARGET_DIRECTORY ${target} PROPERTIES HEADER_FILE_ONLY ON)
  target_sources(${target} PRIVATE ${batches})
  # The batch files include the sources by path: the sources' folders are
  # where their own quoted includes are found, as they are for the sources.
  set_target_properties(${target} PROPERTIES UNITY_BUILD OFF)
endfunction()

function(zebstat_targets_in dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    zebstat_targets_in(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(zebstat_relocatable_unity_everywhere batch_size)
  zebstat_targets_in(${CMAKE_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    zebstat_relocatable_unity(${target} ${batch_size})
  endforeach()
endfunction()
