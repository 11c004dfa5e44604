# The pose and gait dialogs on the offscreen platform, each against a baseline in the same run:
# a slot click to the repainted picture against one DrawPose of the picture's size; opening a
# gait dialog with its ten pictures against the bare dialog of the same template; the running
# preview's share of one core against the same dialog minimized.
if(MIRTALA_WITH_QT)
  mirtala_bench(dialogs_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/dialogs_bench.cpp
    LIBS mirtala_ui mirtala_registry zubrelle_body ${CMAKE_DL_LIBS})
  add_dependencies(dialogs_bench demo_creature Zubrelle)
  target_compile_definitions(dialogs_bench PRIVATE
    MIRTALA_DEMO_IMAGES_DIR="${MIRTALA_DEMO_IMAGES_DIR}"
    MIRTALA_DEMO_BODY_DATA_DIR="${MIRTALA_DEMO_BODY_DATA_DIR}"
    ZUBRELLE_MODULE_PATH="$<TARGET_FILE:Zubrelle>"
    MIRTALA_SAMPLE_GENOME="${PROJECT_SOURCE_DIR}/samples/demo.gen")
endif()
