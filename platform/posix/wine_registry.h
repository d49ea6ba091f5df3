// FS2002 inside a Wine prefix: the installer's key read from the prefix's
// registry file, and the Windows folder it names mapped to the prefix's
// drive folders.
#pragma once

#include <string>

#include "platform/os_interface.h"

namespace fm {

// The prefix Wine runs this user's Windows programs in: $WINEPREFIX, else
// ~/.wine; empty when neither can be named.
std::string WinePrefixFolder();

// The value "EXE Path" of the FS2002 key in the prefix's system.reg (the
// 32-bit view first, as FS2002's installer writes it, then the plain key),
// as a POSIX path through the prefix's dosdevices links, without a trailing
// separator. KeyMissing: no prefix, no system.reg, no key in either view.
// ValueMissing: no such value, not a plain string, empty or longer than the
// program's 260-character buffer, or a drive without a dosdevices link.
SettingRead ReadWineFsRoot(const std::string& prefix);

}  // namespace fm
