// How the file page turns folders and names into paths. A folder always ends
// with a backslash and a path is the folder followed directly by a name, so
// a name must stay one entry of that folder: a typed name such as
// "..\x", "C:x", "a\b" or "a?" would otherwise reach another folder or a
// name the file system refuses. Every action checks its names here first
// and fails with its own notice when a name does not pass.
#pragma once

#include "win/CString.h"

class FilePathRules {
public:
    // Not empty, not "." or "..", no '\\', '/', ':' or character Windows
    // refuses in names (< > " | ? * and control characters), and for a new
    // name no trailing dot or blank (the drive drops those, so the entry
    // made would be another one).
    // A name that is new (typed) may not end in a dot or a blank, which the
    // drive would drop; a listed entry's name may, and names that entry.
    enum class Name { New, Listed };
    static bool IsSingleEntryName(const CString& name, Name kind = Name::New);

    // folder + name, when the name passes IsSingleEntryName, the folder ends
    // with a backslash and the whole path is shorter than MAX_PATH.
    static bool JoinEntryPath(const CString& folder, const CString& name, CString& path, Name kind = Name::New);

    // The extension of the last name in `path`, with its dot (".txt"), or an
    // empty text.
    static CString ExtensionOf(const CString& path);
    // `path` with the extension of its last name replaced by ("." + extension),
    // or that added when there is none.
    static CString ReplaceExtension(const CString& path, const wchar_t* extension);
    // D:\a\b\ -> D:\a\ : the trailing backslash removed, cut before the last
    // backslash, the backslash appended again.
    static CString ParentFolder(const CString& folder);
    // A drive root (one backslash: D:\) or the server level of a network
    // path (three backslashes, two of them leading: \\host\): a folder
    // without a parent row.
    static bool IsRootFolder(const CString& folder);
    // Appends a backslash unless the text already ends with one.
    static CString WithTrailingBackslash(const CString& folder);
};
