# The pose sheet of 256 pose numbers at seven stages against as many plain paints.
if(MIRTALA_WITH_QT)
  mirtala_bench(pose_sheet_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/pose_sheet_bench.cpp
    LIBS mirtala_picture mirtala_registry ${CMAKE_DL_LIBS})
  add_dependencies(pose_sheet_bench demo_creature Zubrelle)
  target_compile_definitions(pose_sheet_bench PRIVATE
    MIRTALA_DEMO_IMAGES_DIR="${MIRTALA_DEMO_IMAGES_DIR}"
    MIRTALA_DEMO_BODY_DATA_DIR="${MIRTALA_DEMO_BODY_DATA_DIR}"
    ZUBRELLE_MODULE_PATH="$<TARGET_FILE:Zubrelle>")
endif()
# The pose sheet window shown on a 256-pose genome: opening it, another appearance
# and one changed pose until it shows them, against the plain paints of the cells in view.
if(TARGET mirtala_ui)
  mirtala_bench(pose_sheet_window_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/pose_sheet_window_bench.cpp
    LIBS mirtala_ui mirtala_registry ${CMAKE_DL_LIBS})
  add_dependencies(pose_sheet_window_bench demo_creature Zubrelle)
  target_compile_definitions(pose_sheet_window_bench PRIVATE
    MIRTALA_DEMO_IMAGES_DIR="${MIRTALA_DEMO_IMAGES_DIR}"
    MIRTALA_DEMO_BODY_DATA_DIR="${MIRTALA_DEMO_BODY_DATA_DIR}"
    ZUBRELLE_MODULE_PATH="$<TARGET_FILE:Zubrelle>")
endif()
