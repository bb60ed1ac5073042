// Creating folders with their missing parents, deleting files, and removing emptied folders
// upwards: what the settings file and the preset file need from the file system.
#pragma once

#include <string>

namespace lumora::platform {

// Creates `folder` and every missing folder above it. True when it exists as a folder afterwards.
bool createFolderTree(const std::string &folder);

bool deleteFile(const std::string &path);

// Removes an empty folder; false when it is not empty, missing, or cannot be removed.
bool removeFolder(const std::string &folder);

// The text before the last path separator; empty when there is none.
std::string parentFolder(const std::string &path);

// Removes `folder`, then its parent, and so on, until a removal fails or the next folder to
// remove equals `stopFolder` (compared as text, never resolved), which is itself kept.
void removeFoldersUpward(const std::string &folder, const std::string &stopFolder);

} // namespace lumora::platform
