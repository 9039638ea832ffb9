# Installs the build BUILD_DIR into a fresh PREFIX and checks what arrives:
# exactly the program, its desktop entry and its icon at each of ICON_SIZES
# (comma-separated), the entry starting the installed program, each icon a PNG
# of its size. With DESKTOP_FILE_VALIDATE, the entry must pass that validator.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DICON_SIZES=16,32 [-DDESKTOP_FILE_VALIDATE=...] -P check_install.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" ICON_SIZES "${ICON_SIZES}")
file(REMOVE_RECURSE "${PREFIX}")
# The installation rewrites the build's install_manifest.txt: the list of a
# real installation there is kept.
set(manifest "${BUILD_DIR}/install_manifest.txt")
if(EXISTS "${manifest}")
  file(READ "${manifest}" kept_manifest)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(DEFINED kept_manifest)
  file(WRITE "${manifest}" "${kept_manifest}")
else()
  file(REMOVE "${manifest}")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

set(expected bin/meter share/applications/meter.desktop)
foreach(size ${ICON_SIZES})
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/meter.png)
endforeach()
file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT expected)
list(SORT found)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "Installed files:\n  ${found}\nexpected:\n  ${expected}")
endif()

execute_process(COMMAND test -x "${PREFIX}/bin/meter" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "bin/meter is not executable")
endif()

# PNG: 8 bytes of signature, then the IHDR chunk: length, type, width, height.
foreach(size ${ICON_SIZES})
  set(png "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/meter.png")
  file(READ "${png}" head HEX LIMIT 24)
  string(SUBSTRING "${head}" 0 32 signature)
  string(SUBSTRING "${head}" 32 8 width)
  string(SUBSTRING "${head}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a0000000d49484452"
     OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${png}: not a PNG of ${size} x ${size} (${head})")
  endif()
endforeach()

# The prefix holds a blank: the program's path is quoted as one argument.
set(entry "${PREFIX}/share/applications/meter.desktop")
file(STRINGS "${entry}" lines)
foreach(line "Exec=\"${PREFIX}/bin/meter\"" "Icon=meter" "Type=Application")
  if(NOT line IN_LIST lines)
    message(FATAL_ERROR "${entry}: no line ${line}:\n${lines}")
  endif()
endforeach()

if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${entry}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate ${entry}:\n${out}")
  endif()
endif()
