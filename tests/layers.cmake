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
# Qt's print support only in the plugin "print" (printing/), so that the window program never links it.
set(_print "include[ \t]*[<\"](QtPrintSupport/|QPrint|QAbstractPrint|QPageSetupDialog)")
set(_windows "widgets|screens|mooncalculator|periodlist|registerwindow|printing|timeline|app")
set(_above_engine "\"(astronomy|pluginloader|birth|formats|atlas|sqlregister|${_windows}|cli|tools|tests)/")
forbid(engine "${_qt}|${_above_engine}")
forbid(fuzz "${_qtgui}|\"(atlas|sqlregister|${_windows}|tools|tests)/")
forbid(astronomy "${_qt}|\"(pluginloader|birth|formats|atlas|sqlregister|${_windows}|cli|tools|tests)/")
forbid(pluginloader "${_qtgui}|\"(astronomy|birth|formats|atlas|sqlregister|${_windows}|cli|tools|tests)/")
forbid(birth "${_qtgui}|QSql|\"(pluginloader|formats|atlas|sqlregister|${_windows}|cli|tools|tests)/")
forbid(formats "${_qtgui}|QSql|\"(pluginloader|atlas|sqlregister|${_windows}|cli|tools|tests)/")
# The atlas on libgeonames and the register on Qt SQL, below everything that shows a window; the
# window reaches them only as the plugins "atlas" and "register", through birth/atlas.h and
# birth/register.h.
forbid(atlas "${_qtgui}|\"(astronomy|pluginloader|formats|sqlregister|${_windows}|cli|tools|tests)/")
forbid(sqlregister "${_qtgui}|\"(pluginloader|formats|atlas|${_windows}|cli|tools|tests)/")
forbid(widgets "${_print}|QSql|\"(pluginloader|birth|formats|atlas|sqlregister|screens|mooncalculator|periodlist|registerwindow|printing|timeline|app|cli|tools|tests)/")
forbid(screens "${_print}|QSql|\"(pluginloader|atlas|sqlregister|mooncalculator|periodlist|registerwindow|printing|timeline|app|cli|tools|tests)/")
forbid(mooncalculator "${_print}|QSql|\"(atlas|sqlregister|screens|periodlist|registerwindow|printing|timeline|app|cli|tools|tests)/")
forbid(periodlist "${_print}|QSql|\"(atlas|sqlregister|screens|mooncalculator|registerwindow|printing|timeline|app|cli|tools|tests)/")
forbid(registerwindow "${_print}|QSql|\"(atlas|sqlregister|screens|mooncalculator|periodlist|printing|timeline|app|cli|tools|tests)/")
forbid(printing "\"(pluginloader|birth|formats|atlas|sqlregister|screens|mooncalculator|registerwindow|timeline|app|cli|tools|tests)/")
forbid(app "${_print}|QSql|\"(atlas|sqlregister|printing|timeline|cli|tools|tests)/")
# The plugin "timeline" paints with the period list for zeitrad-dasa, whose interface it takes
# from cli/timelinewriter.h; nothing of the window beyond the period list.
forbid(timeline "${_print}|QSql|\"(atlas|sqlregister|screens|mooncalculator|registerwindow|printing|app|tools|tests)/")
forbid(cli "${_qtgui}|\"(${_windows}|tools|tests)/")
forbid(tools/divisions "\"(engine|astronomy|birth|formats|${_windows}|cli|tests)/")
forbid(tests "\"tools/picgen/")

if(_failures)
    message(FATAL_ERROR "includes that cross the layers:\n${_failures}")
endif()
message(STATUS "layers kept")
