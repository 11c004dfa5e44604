# The large preview at 8x against a plain fill of the same window's bitmap, and its onion skin
# (three frames each side) against the onion skin of the picture drawn by the control at scale 8.
if(MIRTALA_WITH_QT)
  mirtala_bench(large_preview_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/large_preview_bench.cpp
    LIBS mirtala_ui)
  mirtala_bench_on_control(large_preview_bench)
endif()
