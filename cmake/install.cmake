# What `cmake --install` puts on the machine: the program and zeitrad-dasa, their manual pages,
# the desktop entry, the icon in the hicolor theme sizes, the AppStream metainfo, the copyright
# file and the changelog, each in its standard place under the prefix.
include(GNUInstallDirs)

set(ZEITRAD_APP_ID example.kelmora.zeitrad)
set(_zeitrad_dist ${PROJECT_SOURCE_DIR}/dist)
set(_zeitrad_out ${PROJECT_BINARY_DIR}/dist)

install(TARGETS zeitrad zeitrad-dasa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual pages and the changelog carry the version and are installed compressed, as Debian
# keeps them; `gzip -n` leaves out the time stamp, so that the same sources give the same files.
set(_zeitrad_docs)
foreach(doc zeitrad.1 zeitrad-dasa.1 changelog)
    configure_file(${_zeitrad_dist}/${doc} ${_zeitrad_out}/${doc} @ONLY)
    add_custom_command(OUTPUT ${_zeitrad_out}/${doc}.gz
        COMMAND gzip -9nf -k ${_zeitrad_out}/${doc}
        DEPENDS ${_zeitrad_out}/${doc} VERBATIM)
    list(APPEND _zeitrad_docs ${_zeitrad_out}/${doc}.gz)
endforeach()
add_custom_target(zeitrad_docs ALL DEPENDS ${_zeitrad_docs})
install(FILES ${_zeitrad_out}/zeitrad.1.gz ${_zeitrad_out}/zeitrad-dasa.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_zeitrad_dist}/copyright ${_zeitrad_out}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zeitrad)

install(FILES ${_zeitrad_dist}/${ZEITRAD_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${_zeitrad_dist}/${ZEITRAD_APP_ID}.metainfo.xml
    ${_zeitrad_out}/${ZEITRAD_APP_ID}.metainfo.xml @ONLY)
install(FILES ${_zeitrad_out}/${ZEITRAD_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the committed 32 and 256 pixel pictures as they are, the other theme sizes scaled
# down from the 256 pixel one when the program is built.
set(ZEITRAD_ICON_SIZES 16 32 48 64 128 256)
set(_zeitrad_icon_small ${PROJECT_SOURCE_DIR}/assets/icon.png)
set(_zeitrad_icon_large ${PROJECT_SOURCE_DIR}/assets/icon-256.png)

add_executable(zeitrad_scale_icon ${PROJECT_SOURCE_DIR}/tools/icons/scale_icon.cpp)
target_link_libraries(zeitrad_scale_icon PRIVATE Qt6::Gui)

set(_zeitrad_icons)
set(_zeitrad_built_sizes ${ZEITRAD_ICON_SIZES})
if(NOT EXISTS ${_zeitrad_icon_small} OR NOT EXISTS ${_zeitrad_icon_large})
    # The install and package tests then fail and name the missing sizes.
    message(WARNING "assets/icon.png or assets/icon-256.png is missing: no icons are installed")
    set(_zeitrad_built_sizes)
endif()
foreach(size IN LISTS _zeitrad_built_sizes)
    set(_dir ${_zeitrad_out}/icons/hicolor/${size}x${size}/apps)
    set(_icon ${_dir}/zeitrad.png)
    if(size EQUAL 32)
        set(_source ${_zeitrad_icon_small})
    else()
        set(_source ${_zeitrad_icon_large})
    endif()
    if(size EQUAL 32 OR size EQUAL 256)
        add_custom_command(OUTPUT ${_icon}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${_dir}
            COMMAND ${CMAKE_COMMAND} -E copy ${_source} ${_icon}
            DEPENDS ${_source} VERBATIM)
    else()
        # A sanitizer build's scaler must not fail the build over Qt's memory kept until exit.
        add_custom_command(OUTPUT ${_icon}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${_dir}
            COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                    $<TARGET_FILE:zeitrad_scale_icon> ${_source} ${_icon} ${size}
            DEPENDS ${_source} zeitrad_scale_icon VERBATIM)
    endif()
    list(APPEND _zeitrad_icons ${_icon})
    install(FILES ${_icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(zeitrad_icons ALL DEPENDS ${_zeitrad_icons})

# The entry and the metainfo as the desktop's own validators see them, the install into a
# scratch prefix, and the Debian package with its dependencies and contents.
add_test(NAME dist_desktop_entry
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/validate.sh desktop
            ${_zeitrad_dist}/${ZEITRAD_APP_ID}.desktop)
add_test(NAME dist_metainfo
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/validate.sh metainfo
            ${_zeitrad_out}/${ZEITRAD_APP_ID}.metainfo.xml)
list(JOIN ZEITRAD_ICON_SIZES " " _zeitrad_sizes)
add_test(NAME dist_install
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/check_install.sh ${PROJECT_BINARY_DIR}
            ${ZEITRAD_APP_ID} ${_zeitrad_sizes})
add_test(NAME dist_package
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/check_package.sh ${PROJECT_BINARY_DIR}
            ${ZEITRAD_APP_ID} ${_zeitrad_sizes})
# Debian's lintian on the package (skipped where it is not installed).
add_test(NAME dist_lintian
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/check_lintian.sh ${PROJECT_BINARY_DIR})
set_tests_properties(dist_lintian PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300 LABELS release)
# Both run the installed program once, offscreen, in a scratch folder of their own.
set_tests_properties(dist_install dist_package PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
set_tests_properties(dist_desktop_entry dist_metainfo dist_install dist_package PROPERTIES
    LABELS release)
