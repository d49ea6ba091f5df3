// Undoing a new traffic: the one-time backup of the installed traffic.bgl,
// made by the first traffic import, put back in its place.
#pragma once

#include <ostream>
#include <string>

namespace fm {

// Exit statuses of the restore.
inline constexpr int kRestoreDone = 0;
inline constexpr int kRestoreFailed = 3;

// The suffix of the copy that keeps the traffic a restore replaces:
// TRAFFIC.BGL.before-restore, then TRAFFIC.BGL.before-restore.2, .3, ...
// when earlier restores kept theirs. The simulator loads only names that
// end in .BGL, so the kept copy is never flown.
inline constexpr char kKeptTrafficSuffix[] = ".before-restore";

// Copies SCENEDB\ATC\BACKUP_TRAFFIC.BGL over SCENEDB\ATC\SCENERY\TRAFFIC.BGL
// below `fsRoot`, whole or not at all, after keeping the current
// TRAFFIC.BGL beside it under the first free kept name. Tells on `out` what
// was done and on `err` why nothing was: no backup, a file that cannot be
// read, kept or written. When a step fails, TRAFFIC.BGL is as it was and no
// kept copy is left. A TRAFFIC.BGL that already holds the backup's bytes is
// left alone. Gives kRestoreDone or kRestoreFailed.
int RestoreTraffic(const std::string& fsRoot, std::ostream& out, std::ostream& err);

}  // namespace fm
