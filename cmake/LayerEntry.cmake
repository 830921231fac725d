# One entry of the layer list, "name:dep1,dep2": sets <name_var> to the folder
# and <deps_var> to the list of folders it declares (empty when none).
function(zebstat_layer_entry entry name_var deps_var)
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 name)
  set(deps "")
  list(LENGTH parts n)
  if(n GREATER 1)
    list(GET parts 1 deps)
    string(REPLACE "," ";" deps "${deps}")
  endif()
  set(${name_var} ${name} PARENT_SCOPE)
  set(${deps_var} ${deps} PARENT_SCOPE)
endfunction()
