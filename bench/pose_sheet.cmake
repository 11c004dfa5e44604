# The pose sheet of 256 pose numbers at seven stages against as many plain paints.
if(MIRTALA_WITH_QT)
  mirtala_bench(pose_sheet_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/pose_sheet_bench.cpp
    LIBS mirtala_picture)
  mirtala_bench_on_control(pose_sheet_bench)
endif()
# The pose sheet window shown on a 256-pose genome: opening it, another appearance
# and one changed pose until it shows them, against the plain paints of the cells in view.
if(TARGET mirtala_ui)
  mirtala_bench(pose_sheet_window_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/pose_sheet_window_bench.cpp
    LIBS mirtala_ui)
  mirtala_bench_on_control(pose_sheet_window_bench)
endif()
