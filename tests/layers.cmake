# Fails when a source folder includes from a layer above it (or, for the engine, from Qt).
#   cmake -DSOURCE_DIR=<root> -P layers.cmake
set(_failures "")

# The #include lines of the folder's files must not match the pattern.
function(forbid folder pattern)
    file(GLOB_RECURSE _files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(f IN LISTS _files)
        file(STRINGS ${f} _lines REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS _lines)
            if(line MATCHES "${pattern}")
                file(RELATIVE_PATH _rel ${SOURCE_DIR} ${f})
                string(APPEND _failures "  ${_rel}: ${line}\n")
            endif()
        endforeach()
    endforeach()
    set(_failures "${_failures}" PARENT_SCOPE)
endfunction()

set(_qt "include[ \t]*[<\"](Q[A-Za-z]*|qt[A-Za-z]*/)")
forbid(engine "${_qt}|\"(screens|app|divisions|tools)/")
forbid(fuzz "${_qt}|\"(screens|app|divisions|tools)/")
forbid(screens "\"(app|tools|tests|divisions)/")
forbid(divisions "\"(engine|screens|app|tools|tests)/")
forbid(app "\"(tools|tests)/")
forbid(cli "${_qt}|\"(screens|app|divisions|tools|tests)/")
forbid(tests "\"tools/")

if(_failures)
    message(FATAL_ERROR "includes that cross the layers:\n${_failures}")
endif()
message(STATUS "layers kept")
