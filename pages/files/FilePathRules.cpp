#include "pages/files/FilePathRules.h"

#include <cwchar>

bool FilePathRules::IsSingleEntryName(const CString& name, Name kind)
{
    if (name.IsEmpty() || name == L"." || name == L"..")
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        wchar_t c = name[i];
        if (c < 0x20 || std::wcschr(L"\\/:<>\"|?*", c))
            return false;
    }
    wchar_t last = name[name.GetLength() - 1];
    return kind == Name::Listed || (last != L'.' && last != L' ');
}

bool FilePathRules::JoinEntryPath(const CString& folder, const CString& name, CString& path, Name kind)
{
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != L'\\' || !IsSingleEntryName(name, kind))
        return false;
    if (folder.GetLength() + name.GetLength() >= MAX_PATH)
        return false;
    path = folder + name;
    return true;
}

CString FilePathRules::ExtensionOf(const CString& path)
{
    int dot = path.ReverseFind(L'.');
    int slash = path.ReverseFind(L'\\');
    if (dot < 0 || dot < slash)
        return CString();
    return path.Mid(dot);
}

CString FilePathRules::ReplaceExtension(const CString& path, const wchar_t* extension)
{
    int dot = path.ReverseFind(L'.');
    int slash = path.ReverseFind(L'\\');
    CString stem = (dot < 0 || dot < slash) ? path : path.Left(dot);
    return stem + L"." + extension;
}

CString FilePathRules::ParentFolder(const CString& folder)
{
    CString parent = folder;
    if (!parent.IsEmpty() && parent[parent.GetLength() - 1] == L'\\')
        parent = parent.Left(parent.GetLength() - 1);
    int slash = parent.ReverseFind(L'\\');
    if (slash >= 0)
        parent = parent.Left(slash);
    return parent + L"\\";
}

CString FilePathRules::WithTrailingBackslash(const CString& folder)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == L'\\')
        return folder;
    return folder + L"\\";
}

bool FilePathRules::IsRootFolder(const CString& folder)
{
    int backslashes = 0;
    for (int i = 0; i < folder.GetLength(); ++i)
        if (folder[i] == L'\\')
            ++backslashes;
    if (backslashes == 1)
        return true;
    return backslashes == 3 && folder.GetLength() >= 2 && folder[0] == L'\\' && folder[1] == L'\\';
}
