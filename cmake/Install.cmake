# Installation: the programs, and the desktop entry, icons, file type and thumbnailer that make
# them part of a Linux desktop. The icons are drawn at build time from the program's own bitmap.
include(GNUInstallDirs)
set(fw_desktop_dir ${CMAKE_SOURCE_DIR}/resources/desktop)

foreach(program facetwright facetwright-tool)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
# The tool's render command, run by the tool itself.
if(TARGET facetwright-render)
  install(TARGETS facetwright-render RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/facetwright)
endif()

install(FILES ${fw_desktop_dir}/facetwright.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${fw_desktop_dir}/facetwright.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${fw_desktop_dir}/facetwright.thumbnailer
        DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)

if(FW_GUI)
  set(fw_icon_sizes 16 32 48 64 128 256)
  set(fw_icon_theme ${CMAKE_BINARY_DIR}/icons/hicolor)
  add_executable(make-icons ${CMAKE_SOURCE_DIR}/tools/make_icons.cpp)
  target_link_libraries(make-icons PRIVATE fw_resources fw_base Qt6::Gui)
  set(fw_icon_files)
  foreach(size ${fw_icon_sizes})
    list(APPEND fw_icon_files ${fw_icon_theme}/${size}x${size}/apps/facetwright.png)
  endforeach()
  add_custom_command(
    OUTPUT ${fw_icon_files}
    COMMAND make-icons ${fw_icon_theme} ${fw_icon_sizes}
    DEPENDS make-icons
    COMMENT "Drawing the desktop icons")
  add_custom_target(facetwright-icons ALL DEPENDS ${fw_icon_files})
  install(DIRECTORY ${fw_icon_theme} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

  # Installs into a scratch prefix and checks what a desktop would read.
  add_test(NAME desktop_install
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/install_test.sh ${CMAKE_BINARY_DIR})
  # Builds the Debian package and checks it as a system and a software centre read it.
  add_test(NAME debian_package
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/package_test.sh ${CMAKE_BINARY_DIR})
endif()
