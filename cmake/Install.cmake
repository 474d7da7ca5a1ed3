# Installing TAVORIN as a desktop application: the program, its sounds and music, a desktop
# entry, the icon in the hicolor theme and the AppStream metainfo. Every destination is relative
# to the install prefix, so `cmake --install build --prefix DIR` can put it anywhere.

set(TAVORIN_APP_ID io.github.tavorin.Tavorin)  # desktop-entry id, icon name and AppStream id

# The icons are drawn by the game's own artwork code at build time.
add_executable(tavorin_render_icons tools/render-icons.cpp)
target_link_libraries(tavorin_render_icons PRIVATE tavorin_ui)
target_link_libraries(tavorin_render_icons PRIVATE tavorin_warnings)

set(TAVORIN_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(TAVORIN_ICON_FILES
  ${TAVORIN_ICON_DIR}/48x48/apps/${TAVORIN_APP_ID}.png
  ${TAVORIN_ICON_DIR}/256x256/apps/${TAVORIN_APP_ID}.png
  ${TAVORIN_ICON_DIR}/scalable/apps/${TAVORIN_APP_ID}.svg)
add_custom_command(
  OUTPUT ${TAVORIN_ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:tavorin_render_icons> ${TAVORIN_ICON_DIR} ${TAVORIN_APP_ID}
  DEPENDS tavorin_render_icons
  COMMENT "Drawing the application icons"
  VERBATIM)
add_custom_target(tavorin_icons ALL DEPENDS ${TAVORIN_ICON_FILES})

install(TARGETS tavorin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The audio module, loaded by the game at run time; a package's shlibs scan still sees what it
# links against.
install(TARGETS tavorin_audio_module LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tavorin)
list(TRANSFORM TAVORIN_ASSETS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/assets/
     OUTPUT_VARIABLE TAVORIN_ASSET_FILES)
install(FILES ${TAVORIN_ASSET_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/tavorin)
install(FILES data/${TAVORIN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${TAVORIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48x48 256x256)
  install(FILES ${TAVORIN_ICON_DIR}/${size}/apps/${TAVORIN_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
install(FILES ${TAVORIN_ICON_DIR}/scalable/apps/${TAVORIN_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Installs into a scratch prefix, validates the desktop files and starts the installed game
# under $DISPLAY.
if(TAVORIN_TESTS)
  add_test(NAME install_desktop
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/install-test.sh ${CMAKE_BINARY_DIR})
  # Real windows share the display and its keyboard focus: one at a time.
  set_tests_properties(install_desktop PROPERTIES LABELS e2e TIMEOUT 300 RUN_SERIAL TRUE)
endif()
