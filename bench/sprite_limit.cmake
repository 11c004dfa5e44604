# A hostile body (sprite entries sharing one large block): peak memory of loading it
# against reading its files alone.
mirtala_bench(sprite_limit_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/sprite_limit_bench.cpp LIBS zubrelle_body mirtala_fileio)
