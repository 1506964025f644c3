# Writes the site's pictures into PictureData.cpp, as byte arrays in the
# order of the picture list, at build time (when the PNGs are made).
#   cmake -DFILES=a.png,,b.png -DIN=PictureData.cpp.in -DOUT=PictureData.cpp -P EmbedPictures.cmake
# An empty name is a picture the module does not carry.
string(REPLACE "," ";" files "${FILES}")
set(ZARNIK_PICTURE_ARRAYS "")
set(ZARNIK_PICTURE_SPANS "")
foreach(file IN LISTS files)
    if(file)
        get_filename_component(name ${file} NAME_WE)
        file(READ ${file} bytes HEX)
        string(REGEX REPLACE "(..)" "0x\\1," bytes "${bytes}")
        string(APPEND ZARNIK_PICTURE_ARRAYS "constexpr unsigned char k${name}[] = {${bytes}};\n")
        string(APPEND ZARNIK_PICTURE_SPANS "    k${name},\n")
    else()
        string(APPEND ZARNIK_PICTURE_SPANS "    {},\n")
    endif()
endforeach()
configure_file(${IN} ${OUT} @ONLY)
