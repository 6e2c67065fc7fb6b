# What `cmake --install` puts on the machine: the two programs, the help
# pages, the menu entry, the application icon at every size the icon theme
# asks for, and the log-on entry.

# Desktops read log-on entries from $XDG_CONFIG_DIRS/autostart, which is
# /etc/xdg unless the session says otherwise, so a system-wide install puts
# its entry there whatever the prefix.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr" OR CMAKE_INSTALL_PREFIX STREQUAL "/usr/local")
  set(autostart_default "/etc/xdg/autostart")
else()
  set(autostart_default "${CMAKE_INSTALL_FULL_SYSCONFDIR}/xdg/autostart")
endif()
set(ZEPHRIX_AUTOSTART_DIR "${autostart_default}" CACHE PATH "Folder for the log-on entry")

install(TARGETS zephrix zephrix-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zephrix/help)
install(FILES src/app/desktop/zephrix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The program decides at launch whether a log-on start goes ahead ("Startup
# With Windows"), so the entry is always installed.
install(FILES src/app/desktop/zephrix-startup.desktop DESTINATION ${ZEPHRIX_AUTOSTART_DIR})

install(FILES src/app/icons/zephrix.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${ZEPHRIX_ICON_SIZES})
  install(FILES ${ZEPHRIX_ICON_DIR}/${size}x${size}/zephrix.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
