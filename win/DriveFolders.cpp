#include "win/DriveFolders.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace win {
namespace {

struct OpenFolder {
    std::shared_ptr<const Descriptor> descriptor;
    dev_t device = 0;
    ino_t inode = 0;
};

struct State {
    std::mutex mutex;
    std::shared_ptr<const Descriptor> root;
    std::map<std::string, OpenFolder> folders;
};

State& TheState()
{
    static State state;
    return state;
}

bool SameFolder(const struct stat& a, const OpenFolder& b)
{
    return a.st_dev == b.device && a.st_ino == b.inode;
}

}  // namespace

void DriveFolders::Reset(const std::string& dataRoot)
{
    std::shared_ptr<const Descriptor> root;
    if (!dataRoot.empty()) {
        Descriptor opened(::open(dataRoot.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (opened.IsOpen())
            root = std::make_shared<const Descriptor>(std::move(opened));
    }
    State& state = TheState();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.root = std::move(root);
    state.folders.clear();
}

std::shared_ptr<const Descriptor> DriveFolders::Root()
{
    State& state = TheState();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.root;
}

std::shared_ptr<const Descriptor> DriveFolders::Open(const std::string& key)
{
    State& state = TheState();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.root) {
        errno = ENOENT;
        return nullptr;
    }
    // One look-up, as many as telling whether the drive exists takes.
    struct stat now {};
    if (::fstatat(state.root->Get(), key.c_str(), &now, 0) != 0)
        return nullptr;
    if (!S_ISDIR(now.st_mode)) {
        errno = ENOTDIR;
        return nullptr;
    }
    auto found = state.folders.find(key);
    if (found != state.folders.end() && SameFolder(now, found->second))
        return found->second.descriptor;
    Descriptor opened(::openat(state.root->Get(), key.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat info {};
    if (!opened.IsOpen() || ::fstat(opened.Get(), &info) != 0)
        return nullptr;
    OpenFolder folder{std::make_shared<const Descriptor>(std::move(opened)), info.st_dev, info.st_ino};
    state.folders[key] = folder;
    return folder.descriptor;
}

}  // namespace win
