// File, Names: Import Pose Names and Import Gait Names. Each asks for a file,
// reads it whole and hands it to the name table; a file that cannot be read
// is told and leaves the names as they were.
#pragma once

class QWidget;

namespace mirtala {
class Genome;
}

namespace mirtala::app {

// Replaces the pose names with those of a "posename.txt" file.
void ImportPoseNames(QWidget* owner);
// Names the genome's gaits from a ".gno" file.
void ImportGaitNames(const Genome& genome, QWidget* owner);

}  // namespace mirtala::app
