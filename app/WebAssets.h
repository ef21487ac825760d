// The front end's files, compiled into the simulator (EmbedWeb.cmake writes
// the table from app/web at build time).
#pragma once

#include <cstddef>
#include <string_view>

struct WebAsset {
    const char* name;         // file name inside app/web, e.g. "app.js"
    const char* contentType;
    const unsigned char* data;
    std::size_t size;
};

// Ends with an entry whose name is null.
extern const WebAsset kWebAssets[];

// The asset served at an URL path ("/" is index.html), or null.
const WebAsset* FindWebAsset(std::string_view urlPath);
