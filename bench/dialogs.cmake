# The pose and gait dialogs on the offscreen platform, each against a baseline in the same run:
# a slot click to the repainted picture against one DrawPose of the picture's size; opening a
# gait dialog with its ten pictures against the bare dialog of the same template; the running
# preview's share of one core against the same dialog minimized.
if(MIRTALA_WITH_QT)
  mirtala_bench(dialogs_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/dialogs_bench.cpp
    LIBS mirtala_ui zubrelle_body)
  mirtala_bench_on_control(dialogs_bench)
  target_compile_definitions(dialogs_bench PRIVATE
    MIRTALA_SAMPLE_GENOME="${PROJECT_SOURCE_DIR}/samples/demo.gen")
endif()
