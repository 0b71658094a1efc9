# A module is one folder of src/: its sources become one static library named
# qm_<name>, with src/ on the include path so headers are included by folder.
function(qm_module name)
  cmake_parse_arguments(M "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(qm_${name} STATIC ${M_SOURCES})
  target_include_directories(qm_${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  target_link_libraries(qm_${name} PUBLIC ${M_DEPENDS})
endfunction()

# The sources of a folder, without listing them one by one.
function(qm_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp")
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# A tool of tools/: one program from the .cpp files of its folder.
function(qm_tool name)
  cmake_parse_arguments(T "" "" "DEPENDS" ${ARGN})
  qm_sources(sources ${name})
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${T_DEPENDS})
endfunction()
