# Installs the build into a temporary DESTDIR and checks that every file lands where a desktop
# and the program itself look for it. Run by ctest: cmake -DBUILD_DIR=.. -DDEST=.. -P this file.
file(REMOVE_RECURSE "${DEST}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DEST} ${CMAKE_COMMAND} --install ${BUILD_DIR}
            --prefix /usr
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

set(root "${DEST}/usr")
set(expected
    bin/orva
    share/orva/zone.dat share/orva/pm-received.wav share/orva/bong24.wa2 share/orva/watched.wav
    share/applications/org.orva.orva.desktop
    share/metainfo/org.orva.orva.metainfo.xml
    share/icons/hicolor/scalable/apps/orva.svg
    share/man/man1/orva.1.gz
    share/doc/orva/copyright share/doc/orva/changelog.gz)
set(sizes 16 22 24 32 48 64 128 256)
foreach(size ${sizes})
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/orva.png)
endforeach()

set(faults "")
foreach(f ${expected})
    if(NOT EXISTS "${root}/${f}")
        string(APPEND faults "missing: ${f}\n")
    endif()
endforeach()

# Each PNG is as large as the folder it is in says (width and height in its header).
foreach(size ${sizes})
    set(png "${root}/share/icons/hicolor/${size}x${size}/apps/orva.png")
    if(EXISTS "${png}")
        file(READ "${png}" header HEX OFFSET 16 LIMIT 8)
        string(SUBSTRING "${header}" 0 8 wHex)
        string(SUBSTRING "${header}" 8 8 hHex)
        math(EXPR w "0x${wHex}")
        math(EXPR h "0x${hHex}")
        if(NOT w EQUAL size OR NOT h EQUAL size)
            string(APPEND faults "${size}x${size}/apps/orva.png is ${w}x${h}\n")
        endif()
    endif()
endforeach()

# The menu entry starts the installed program by name and shows our icon.
set(desktop "${root}/share/applications/org.orva.orva.desktop")
if(EXISTS "${desktop}")
    file(STRINGS "${desktop}" lines)
    foreach(line "Name=orva" "Exec=orva" "Icon=orva" "Categories=Network;Chat;")
        list(FIND lines "${line}" at)
        if(at EQUAL -1)
            string(APPEND faults "desktop entry lacks ${line}\n")
        endif()
    endforeach()
endif()

# Nothing of the tests or tools is installed.
file(GLOB_RECURSE installed RELATIVE "${root}" "${root}/*")
foreach(f ${installed})
    list(FIND expected "${f}" at)
    if(at EQUAL -1)
        string(APPEND faults "unexpected: ${f}\n")
    endif()
endforeach()

if(faults)
    message(FATAL_ERROR "installed tree in ${DEST}:\n${faults}")
endif()
file(REMOVE_RECURSE "${DEST}")
