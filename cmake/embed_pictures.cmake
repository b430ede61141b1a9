# The dialog and preview pictures go inside the program when the build that renders them has
# already run: each PNG becomes a byte array in a generated header, refreshed at the next
# configure. Without them the program reads the files at run time.
function(tarnel_embed_pictures target)
  set(header "${CMAKE_CURRENT_BINARY_DIR}/generated/embedded_pictures.h")
  set(text "// Generated from the rendered resource pictures.\n#pragma once\n#include <cstdint>\n")
  set(found FALSE)
  foreach(pair "dialog;DialogPicturePng;DIALOG" "preview;PreviewPicturePng;PREVIEW")
    list(GET pair 0 name)
    list(GET pair 1 symbol)
    list(GET pair 2 flag)
    set(png "${CMAKE_BINARY_DIR}/resources/${name}.png")
    if(EXISTS "${png}")
      file(READ "${png}" hex HEX)
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
      string(APPEND text "inline const std::uint8_t k${symbol}[] = {${bytes}};\n")
      target_compile_definitions(${target} PRIVATE TARNEL_HAVE_EMBEDDED_${flag}_PICTURE=1)
      set(found TRUE)
    endif()
  endforeach()
  if(found)
    # Rewritten only when the pictures changed, and a new rendering does not re-run CMake:
    # the still is drawn by the program that embeds it, so either would make each build
    # render again, for ever.
    file(WRITE "${header}.new" "${text}")
    configure_file("${header}.new" "${header}" COPYONLY)
    target_include_directories(${target} PRIVATE "${CMAKE_CURRENT_BINARY_DIR}/generated")
    target_compile_definitions(${target} PRIVATE TARNEL_HAVE_EMBEDDED_PICTURES=1)
  endif()
endfunction()
