// The editor's command identifiers, as its menus, toolbar and accelerators use them.
#pragma once

namespace mirtala::app::cmd {

inline constexpr int FileNew = 57600, FileOpen = 57601, FileClose = 57602, FileSave = 57603, FileSaveAs = 57604;
inline constexpr int FileMru = 57616;  // recent files 57616 to 57619
inline constexpr int EditCopy = 57634, EditCut = 57635, EditPaste = 57637, EditUndo = 57643, EditRedo = 57644;
inline constexpr int WindowNew = 57648, WindowArrange = 57649, WindowCascade = 57650, WindowTile = 57651;
inline constexpr int AppAbout = 57664, AppExit = 57665;
inline constexpr int ViewToolbar = 59392, ViewStatusBar = 59393;
inline constexpr int ImportPoseNames = 32771, ImportGaitNames = 32772, UserGuide = 32775;
inline constexpr int HostFolders = 32780, UndoHistory = 32781;
inline constexpr int ViewPoseSheet = 32782;
inline constexpr int ViewLargePreview = 32786;
// The pose sheet's thumbnail sizes: small, medium, large.
inline constexpr int ViewSheetSmall = 32783, ViewSheetMedium = 32784, ViewSheetLarge = 32785;
inline constexpr int EditCheckGenome = 32790;
inline constexpr int NextPane = 0xE150, PrevPane = 0xE151;

}  // namespace mirtala::app::cmd
