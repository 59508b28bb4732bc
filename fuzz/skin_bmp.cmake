vkx_add_fuzzer(skin_bmp SOURCES skin_bmp.cpp LIBS vkxpictures)
