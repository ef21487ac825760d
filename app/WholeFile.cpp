#include "WholeFile.h"

#include <fstream>

bool ReadWholeFile(const std::string& posixPath, std::uintmax_t limit, const char* kind, std::string& text,
                   std::string& error)
{
    std::ifstream file(posixPath, std::ios::binary);
    if (!file) {
        error = "cannot read " + posixPath;
        return false;
    }
    file.seekg(0, std::ios::end);
    std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > limit) {
        error = posixPath + " is not a " + kind + " (size)";
        return false;
    }
    file.seekg(0);
    text.assign(static_cast<std::size_t>(size), '\0');
    file.read(text.data(), size);
    if (!file) {
        error = "cannot read " + posixPath;
        return false;
    }
    return true;
}
