# Plugins: libraries that only a later action needs, loaded on first use (birth/plugins.h).
#   zeitrad_add_plugin(NAME sources...)  makes the MODULE library libzeitrad_NAME.so in
#   <build>/plugins and installs it into <libdir>/zeitrad.
include(GNUInstallDirs)
set(ZEITRAD_PLUGIN_BUILD_DIR ${PROJECT_BINARY_DIR}/plugins)
set(ZEITRAD_PLUGIN_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/zeitrad)

function(zeitrad_add_plugin name)
    qt_add_plugin(zeitrad_${name} SHARED ${ARGN})
    # Qt 6.4's qt_add_plugin() leaves the sources out; they are added here (once either way).
    target_sources(zeitrad_${name} PRIVATE ${ARGN})
    set_target_properties(zeitrad_${name} PROPERTIES
        LIBRARY_OUTPUT_DIRECTORY ${ZEITRAD_PLUGIN_BUILD_DIR}
        POSITION_INDEPENDENT_CODE ON)
    target_include_directories(zeitrad_${name} PRIVATE ${PROJECT_SOURCE_DIR})
    install(TARGETS zeitrad_${name} LIBRARY DESTINATION ${ZEITRAD_PLUGIN_INSTALL_DIR})
endfunction()
