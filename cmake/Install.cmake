# Installation as a Linux desktop program, and the Debian package built from
# it with CPack: the executable, the desktop entry, the AppStream metainfo and
# the program's icon in the hicolor theme (SVG, and PNGs drawn from the
# program's own picture).

include(GNUInstallDirs)

set(VELTRANO_APP_ID io.github.veltrano.Veltrano)
set(veltrano_data ${CMAKE_CURRENT_LIST_DIR}/../data)
set(veltrano_icon_svg ${veltrano_data}/icons/${VELTRANO_APP_ID}.svg)

install(TARGETS veltrano RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${veltrano_data}/${VELTRANO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${veltrano_data}/${VELTRANO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${veltrano_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The PNG icons are the 32 × 32 picture scaled with nearest neighbour, written
# at build time by a helper that is not installed.
add_executable(veltrano_icon_export ${CMAKE_CURRENT_LIST_DIR}/../tools/IconExport.cpp)
target_link_libraries(veltrano_icon_export PRIVATE veltrano_ui)

set(veltrano_icon_pngs)
foreach(size 32 48 64 128 256)
  set(directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size})
  set(png ${directory}/${VELTRANO_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${directory}
    # Under the sanitizers Qt's plugin loader holds memory until exit.
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:veltrano_icon_export> png ${size} ${png}
    DEPENDS veltrano_icon_export
    COMMENT "Drawing the ${size}x${size} icon"
    VERBATIM)
  list(APPEND veltrano_icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(veltrano_icons ALL DEPENDS ${veltrano_icon_pngs})

if(VELTRANO_TESTS)
  # The hand-drawn SVG must show the same picture as the program's windows.
  enable_testing()
  add_test(NAME program_icon_svg COMMAND veltrano_icon_export check-svg ${veltrano_icon_svg})
  set_tests_properties(program_icon_svg PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()

# The Debian package. Its library dependencies come from dpkg-shlibdeps on the
# built executable; the Chinese texts need a CJK font, which no library pulls in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrano)
set(CPACK_PACKAGE_VENDOR "The Veltrano developers")
set(CPACK_PACKAGE_CONTACT "The Veltrano developers <maintainers@veltrano.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plots quadratic functions and where they meet the axes")
# CPack puts the summary first and indents the long description itself.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Veltrano draws the graph of y = ax² + bx + c on a fixed pair of coordinate\n"
  "axes and lists the points where each curve meets the x axis and the y axis.\n"
  "Several curves can be drawn over one another, and an animation mode traces\n"
  "them slowly enough to watch. The user interface is in Chinese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://veltrano.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
# Qt's own translations make the standard buttons (OK, Yes, No) read in the
# user's language; Qt's Wayland plugin lets the program run on a Wayland
# desktop itself rather than through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
include(CPack)
