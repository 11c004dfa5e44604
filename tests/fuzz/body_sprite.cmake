# Sprite files on arbitrary bytes, in memory and through the part loader.
mirtala_fuzzer(body_sprite SOURCES ${CMAKE_CURRENT_LIST_DIR}/body_sprite.cpp LIBS zubrelle_body)
