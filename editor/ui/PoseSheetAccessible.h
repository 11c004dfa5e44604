// What assistive tools see of the pose sheet: a table whose children are its
// cells, each named "Walk step 1, Adult" with the pose string as its
// description, the current cell focused; pressing a cell opens its gene.
#pragma once

namespace mirtala::ui {

// Installs the interface for PoseSheetWindow; the first sheet calls it.
void InstallPoseSheetAccessible();

}  // namespace mirtala::ui
