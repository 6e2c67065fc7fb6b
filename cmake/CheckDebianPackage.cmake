# Builds the Debian package of the build in BUILD_DIR into OUT_DIR and checks
# that it holds every installed file and depends on the libraries the
# programs use. Run by CTest as `cmake -P`; prints "SKIPPED:" (which CTest
# takes as a skip) where the Debian tools are not installed.
foreach(tool dpkg-deb dpkg-shlibdeps)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message("SKIPPED: ${tool} is not installed (Debian package dpkg-dev)")
    return()
  endif()
endforeach()

file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND ${CPACK_COMMAND} -G DEB -B "${OUT_DIR}" --config "${BUILD_DIR}/CPackConfig.cmake"
  RESULT_VARIABLE failed OUTPUT_VARIABLE cpack_output ERROR_VARIABLE cpack_output)
file(GLOB packages "${OUT_DIR}/zephrix_*.deb")
if(failed OR NOT packages)
  message(FATAL_ERROR "cpack made no package:\n${cpack_output}")
endif()
list(GET packages 0 package)

execute_process(COMMAND dpkg-deb -c "${package}" OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
set(expected
  "${PREFIX}/bin/zephrix"
  "${PREFIX}/bin/zephrix-cli"
  "${PREFIX}/share/zephrix/help/index.html"
  "${PREFIX}/share/applications/zephrix.desktop"
  "${AUTOSTART_DIR}/zephrix-startup.desktop"
  "${PREFIX}/share/icons/hicolor/scalable/apps/zephrix.svg")
foreach(size ${ICON_SIZES})
  list(APPEND expected "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/zephrix.png")
endforeach()
foreach(file ${expected})
  string(FIND "${listing}" " .${file}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${package} lacks ${file}; it holds:\n${listing}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -f "${package}" Package Version Depends
  OUTPUT_VARIABLE fields COMMAND_ERROR_IS_FATAL ANY)
foreach(dependency libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libutf8proc2
                   libx11-6)
  if(NOT fields MATCHES "Depends:.*[ ,]${dependency}[ ,(\n]")
    message(FATAL_ERROR "the package does not depend on ${dependency}:\n${fields}")
  endif()
endforeach()
message("${package}:\n${fields}")
