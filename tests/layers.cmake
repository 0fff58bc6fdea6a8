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

# From the bottom up; each layer may include only those before it.
set(_qt "include[ \t]*[<\"](Q[A-Za-z]*|qt[A-Za-z]*/)")
set(_qtgui "include[ \t]*[<\"](Qt(Gui|Widgets|PrintSupport)/|Q(Widget|Dialog|Label|Painter|Pixmap|Image|Color|Font|Printer|Application|GuiApplication|PushButton|LineEdit|ComboBox|Icon)[ >\"])")
set(_above_engine "\"(astronomy|atlas|birth|widgets|screens|moon|periods|printing|app|cli|tools|tests)/")
forbid(engine "${_qt}|${_above_engine}")
forbid(fuzz "${_qt}|\"(atlas|birth|widgets|screens|moon|periods|printing|app|tools|tests)/")
forbid(astronomy "${_qt}|\"(atlas|birth|widgets|screens|moon|periods|printing|app|cli|tools|tests)/")
forbid(birth "${_qtgui}|\"(atlas|widgets|screens|moon|periods|printing|app|cli|tools|tests)/")
# The atlas on libgeonames, below everything that shows a window; the window reaches it only as
# the plugin "atlas", through birth/atlas.h.
forbid(atlas "${_qtgui}|\"(astronomy|widgets|screens|moon|periods|printing|app|cli|tools|tests)/")
forbid(widgets "\"(atlas|screens|moon|periods|printing|app|cli|tools|tests)/")
forbid(screens "\"(atlas|moon|periods|printing|app|cli|tools|tests)/")
forbid(moon "\"(atlas|screens|periods|printing|app|cli|tools|tests)/")
forbid(periods "\"(atlas|screens|moon|app|cli|tools|tests)/")
forbid(printing "\"(screens|moon|app|cli|tools|tests)/")
forbid(app "\"(atlas|cli|tools|tests)/")
forbid(cli "${_qtgui}|\"(widgets|screens|moon|periods|printing|app|tools|tests)/")
forbid(tools/divisions "\"(engine|astronomy|birth|widgets|screens|moon|periods|app|cli|tests)/")
forbid(tests "\"tools/picgen/")

if(_failures)
    message(FATAL_ERROR "includes that cross the layers:\n${_failures}")
endif()
message(STATUS "layers kept")
