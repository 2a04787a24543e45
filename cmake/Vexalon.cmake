# vx_add_layer(NAME DIR [DEPS ...] [INCLUDE_ROOT dir] [LIBS ...])
# Builds every .cpp under DIR into one static library. DIR's include root is
# exported so that other layers write #include "java/lang/String.h".
function(vx_add_layer name)
  cmake_parse_arguments(L "" "DIR;INCLUDE_ROOT" "DEPS;LIBS" ${ARGN})
  if(NOT L_INCLUDE_ROOT)
    set(L_INCLUDE_ROOT ${L_DIR})
  endif()
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${L_DIR}/*.cpp)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${L_INCLUDE_ROOT})
    target_link_libraries(${name} PUBLIC ${L_DEPS} PRIVATE ${L_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${L_INCLUDE_ROOT})
    target_link_libraries(${name} INTERFACE ${L_DEPS} ${L_LIBS})
  endif()
endfunction()

# Links layers that register classes from static initialisers whole, so the
# linker keeps every registration. The platform layers register nothing and
# are linked plainly (they also arrive as ordinary dependencies of the others,
# and one library cannot be linked both ways).
function(vx_link_layers target)
  foreach(layer ${ARGN})
    target_link_libraries(${target} PRIVATE ${layer})
    get_target_property(kind ${layer} TYPE)
    if(kind STREQUAL "STATIC_LIBRARY" AND NOT layer MATCHES "^vx_(wince|hal)$")
      # Every occurrence of the layer, also the transitive ones, links whole.
      set_property(TARGET ${target} PROPERTY LINK_LIBRARY_OVERRIDE_${layer} WHOLE_ARCHIVE)
    endif()
  endforeach()
endfunction()

# vx_add_pack(TARGET MANIFEST file OUTPUT_DIR dir HEADER file [DEPENDS generated sources...])
# Builds a resource pack from its manifest at build time: the pack's files go
# into OUTPUT_DIR, the identifier header to HEADER. The target reruns the
# builder when the manifest, a source it names or the builder changes.
function(vx_add_pack target)
  cmake_parse_arguments(P "" "MANIFEST;OUTPUT_DIR;HEADER" "DEPENDS" ${ARGN})
  get_filename_component(manifest ${P_MANIFEST} ABSOLUTE)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.stamp)
  add_custom_command(OUTPUT ${stamp}
    BYPRODUCTS ${P_HEADER}
    # The synthesizer that renders music runs on one thread: the same
    # samples every build, and no OpenMP threads the thread checker cannot see.
    COMMAND ${CMAKE_COMMAND} -E env OMP_NUM_THREADS=1
            $<TARGET_FILE:vx_packbuilder> ${manifest} ${P_OUTPUT_DIR} ${P_HEADER} ${stamp}.d ${stamp}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${manifest} vx_packbuilder ${P_DEPENDS}
    DEPFILE ${stamp}.d
    COMMENT "Building resource pack ${target}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${stamp})
endfunction()
