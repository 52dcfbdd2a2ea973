# veltra_library(NAME DIR [QT] DEPS ...): a static library of every .cpp directly in DIR; an
# interface library while the folder has no sources yet. QT marks a library that needs Qt
# (skipped in a headless build).
function(veltra_library name dir)
  cmake_parse_arguments(VL "QT" "" "DEPS" ${ARGN})
  if(VL_QT AND VELTRA_HEADLESS)
    return()
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(deps ${VL_DEPS})
  if(VELTRA_HEADLESS)
    list(FILTER deps EXCLUDE REGEX "^Qt6::|_ui$|^veltra_seams$")
  endif()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${deps})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${deps})
  endif()
endfunction()

# veltra_spare_restrict(FILE ...): GCC 12 at -O3 inlines std::string's assign and insert (s =
# "text", "text" + s) and then reports an overlap that cannot happen (-Wrestrict), which fails a
# Release build. Only the named files of the calling folder, where it shows, are spared the
# warning, and only under GCC 12: every other file keeps it.
function(veltra_spare_restrict)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS -Wno-restrict)
  endif()
endfunction()
