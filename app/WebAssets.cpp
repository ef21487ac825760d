#include "WebAssets.h"

const WebAsset* FindWebAsset(std::string_view urlPath)
{
    if (urlPath.empty() || urlPath == "/")
        urlPath = "/index.html";
    if (urlPath.front() != '/')
        return nullptr;
    urlPath.remove_prefix(1);
    // Only flat names: the assets live in one folder.
    if (urlPath.find('/') != std::string_view::npos)
        return nullptr;
    for (const WebAsset* asset = kWebAssets; asset->name; ++asset)
        if (urlPath == asset->name)
            return asset;
    return nullptr;
}
