// The copy behind the shell's copy and move: a file, or a folder with
// everything below it, merged into an existing folder of the same name. It
// walks both trees through open folders (FileTree.h): every entry is opened
// relative to the folder it was listed in, without following it; a link is
// followed only beneath its drive's folder (Beneath.h), so a link that leads
// out, at any depth or swapped in while the copy runs, is refused and
// nothing outside the drive is read or written.
#pragma once

#include "win/Descriptor.h"
#include "win/ShellFileOperation.h"

#include <memory>
#include <string>
#include <sys/stat.h>

namespace win {

// One entry of a copy: the open folder that holds it, that folder's path
// below the drive's folder, and the entry's name in it.
struct TreePlace {
    std::shared_ptr<const Descriptor> drive;
    int folder = -1;  // not owned
    std::string folderBeneath;
    std::string name;
    std::wstring windows;  // the entry's Windows path, for questions and reports

    std::string Beneath() const;
    TreePlace Inside(int openFolder, const std::string& entryName) const;
};

// The questions of the operation a copy belongs to.
class CopyQuestions {
public:
    virtual ~CopyQuestions() = default;
    // Whether to go ahead with the item; a no or a cancel skips it.
    virtual bool Confirm(ShellFileOperation::Question question, const std::wstring& path) = 0;
    // Whether the operator has cancelled the whole operation.
    virtual bool Cancelled() const = 0;
};

class TreeCopy {
public:
    explicit TreeCopy(CopyQuestions& questions) : m_questions(questions) {}

    // 0, or the shell's result code of the first failure (written to the
    // debug output with the path it concerns). Declined items are skipped;
    // a cancel ends the copy with 0.
    int Copy(const TreePlace& from, const TreePlace& to);

private:
    int CopyFileTo(int in, const TreePlace& to, const struct stat* existing);
    int CopyFolderTo(int in, const struct stat& source, const TreePlace& from, const TreePlace& to,
                     const struct stat* existing, bool existingIsLink);

    CopyQuestions& m_questions;
};

// Writes a failed step of the shell's operation to the debug output and
// returns `code`.
int ReportShellFailure(int code, const std::wstring& what);

// Whether the open folder `folder` is `entry` or lies below it, looked up
// through the folders' parents up to the drive's folder.
bool FolderIsWithin(int folder, const struct stat& entry, int drive);

}  // namespace win
