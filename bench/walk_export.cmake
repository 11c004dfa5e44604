# Exporting a long walk (eight poses with turns, at twice the preview's size) as
# a GIF, a sprite sheet and PNG frames, each against painting the same frames alone.
if(MIRTALA_WITH_QT)
  mirtala_bench(walk_export_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/walk_export_bench.cpp
    LIBS mirtala_picture)
  mirtala_bench_on_control(walk_export_bench)
endif()
