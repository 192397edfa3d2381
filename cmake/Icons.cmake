# The program icon's pictures, made at build time into icons/ of the build folder: at 32 px the icon's own
# pixels (src/res/ProgramIcon.xpm), at the larger sizes renderings of its vector drawing
# (src/res/ProgramIcon.svg). The window icon carries the larger ones as a Qt resource; Install.cmake installs
# all of them, and the drawing as the scalable icon, into the icon theme.
#   TARVEX_ICON_SVG          the vector drawing
#   TARVEX_ICON_SIZES        the sizes of the pictures
#   TARVEX_ICON_FOLDER       where the picture of size N is NxN/tarvex.png
#   TARVEX_ICON_RENDERINGS   the pictures rendered from the drawing
#   tarvex_icons             the target that makes the pictures
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)
set(TARVEX_ICON_SVG ${PROJECT_SOURCE_DIR}/src/res/ProgramIcon.svg)
set(TARVEX_ICON_SIZES 32 48 64 128)
set(TARVEX_ICON_FOLDER ${CMAKE_BINARY_DIR}/icons)

set(programIcon ${PROJECT_SOURCE_DIR}/src/res/ProgramIcon.xpm)
set(pictures)
set(TARVEX_ICON_RENDERINGS)
foreach(size IN LISTS TARVEX_ICON_SIZES)
  set(folder ${TARVEX_ICON_FOLDER}/${size}x${size})
  if(size EQUAL 32)
    # No dates in the file, so that a build makes the same bytes every time.
    set(make ${IMAGEMAGICK_CONVERT} ${programIcon} -strip -define png:exclude-chunks=date,time ${folder}/tarvex.png)
    set(source ${programIcon})
  else()
    set(make ${RSVG_CONVERT} --width ${size} --height ${size} --output ${folder}/tarvex.png ${TARVEX_ICON_SVG})
    set(source ${TARVEX_ICON_SVG})
    list(APPEND TARVEX_ICON_RENDERINGS ${folder}/tarvex.png)
  endif()
  add_custom_command(OUTPUT ${folder}/tarvex.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${make}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND pictures ${folder}/tarvex.png)
endforeach()
add_custom_target(tarvex_icons DEPENDS ${pictures})
