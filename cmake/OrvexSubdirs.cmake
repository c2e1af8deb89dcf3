# Adds every listed sub-folder that has a CMakeLists.txt, so subsystems can
# arrive one at a time without editing the parent list.
function(orvex_add_subdirs)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
