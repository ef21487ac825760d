// The open folders of the drives and network shares. Each is opened once
// (O_PATH | O_DIRECTORY) and kept for the process, so that every look-up
// below a drive starts from the same folder (Beneath.h). A folder is opened
// again when the data root changes or when the name in the data root has
// come to stand for another folder (a drive folder replaced).
//
// The data root's own layout (the drive folders and the shares below "UNC")
// is the administrator's: a drive folder may itself be a link. What lies
// below a drive's folder is resolved beneath it.
#pragma once

#include "win/Descriptor.h"

#include <memory>
#include <string>

namespace win {

class DriveFolders {
public:
    // Forgets every open folder; the next look-ups open them below
    // `dataRoot` (none when it is empty).
    static void Reset(const std::string& dataRoot);
    // The folder <data root>/<key> ("D", "UNC/server/share"), held open; null
    // with errno set when it is not a folder (ENOENT without a data root).
    static std::shared_ptr<const Descriptor> Open(const std::string& key);
    // The data root, held open; null without one.
    static std::shared_ptr<const Descriptor> Root();
};

}  // namespace win
