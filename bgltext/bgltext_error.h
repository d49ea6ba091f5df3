// The two ways a decode stops early: BgltextException values thrown by the
// readers and output operations, and FatalExit, which ends the whole run with
// an exit status after its message has been written.
#pragma once

namespace bgltext {

// Thrown by value. EndOfData comes from the image readers, FileError from
// section outputs that cannot be opened and from a subtable overflow.
enum BgltextException { EndOfData = 0, FileError = 2 };

// Ends the run; the driver turns it into the process's exit status.
struct FatalExit {
  int status;
};

}  // namespace bgltext
