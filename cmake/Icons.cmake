# The program's icon is drawn once, as res/icons/oxiview.svg; every bitmap size is
# rendered from it at build time.
set(OXI_ICON_SOURCE ${PROJECT_SOURCE_DIR}/res/icons/oxiview.svg)
set(OXI_ICON_SIZES 16 24 32 48 64 128 256)

# Renders the icon's sizes next to the calling folder's build files, builds them into
# `target` as the Qt resources :/icons/SIZE.png, and on Linux installs them and the drawing
# into the desktop's hicolor icon theme under the program's desktop ID.
function(oxi_icons target)
  find_program(OXI_RSVG_CONVERT rsvg-convert REQUIRED)
  set(pngs)
  foreach(size ${OXI_ICON_SIZES})
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons
      COMMAND ${OXI_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${OXI_ICON_SOURCE}
      DEPENDS ${OXI_ICON_SOURCE} VERBATIM)
    list(APPEND pngs ${png})
    if(NOT WIN32)
      install(FILES ${png} RENAME ${OXI_APP_ID}.png
              DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endif()
  endforeach()
  qt_add_resources(${target} oxi_icons PREFIX / BASE ${CMAKE_CURRENT_BINARY_DIR} FILES ${pngs})
  if(NOT WIN32)
    install(FILES ${OXI_ICON_SOURCE} RENAME ${OXI_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  endif()
endfunction()
