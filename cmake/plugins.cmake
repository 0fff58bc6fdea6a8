# Plugins: libraries that only a later action needs, loaded on first use (pluginloader/pluginloader.h).
#   zeitrad_add_plugin(NAME sources...)  makes the MODULE library libzeitrad_NAME.so in
#   <build>/plugins and installs it into <libdir>/zeitrad/plugins. (One folder deeper than
#   <libdir>/zeitrad: CPack gives a package with a library right inside a folder of /usr/lib
#   maintainer scripts that call ldconfig, which lintian rejects and a plugin does not need.)
#   zeitrad_needs_plugins(TARGET)  makes building TARGET build every plugin made so far, without
#   linking any: the window program (so that `--target zeitrad`, as scripts/run.sh and
#   scripts/package.sh build it, gives every plugin it loads) and the tests that drive the window.
include(GNUInstallDirs)
set(ZEITRAD_PLUGIN_BUILD_DIR ${PROJECT_BINARY_DIR}/plugins)
set(ZEITRAD_PLUGIN_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/zeitrad/plugins)

function(zeitrad_add_plugin name)
    # Qt 6.4's qt_add_plugin() passes over sources given to it; they are added here.
    qt_add_plugin(zeitrad_${name} SHARED)
    target_sources(zeitrad_${name} PRIVATE ${ARGN})
    set_target_properties(zeitrad_${name} PROPERTIES
        LIBRARY_OUTPUT_DIRECTORY ${ZEITRAD_PLUGIN_BUILD_DIR}
        POSITION_INDEPENDENT_CODE ON)
    target_include_directories(zeitrad_${name} PRIVATE ${PROJECT_SOURCE_DIR})
    install(TARGETS zeitrad_${name} LIBRARY DESTINATION ${ZEITRAD_PLUGIN_INSTALL_DIR})
    set_property(GLOBAL APPEND PROPERTY ZEITRAD_PLUGINS zeitrad_${name})
endfunction()

function(zeitrad_needs_plugins target)
    get_property(plugins GLOBAL PROPERTY ZEITRAD_PLUGINS)
    add_dependencies(${target} ${plugins})
endfunction()
