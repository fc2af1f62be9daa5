// The name proposed for a dropped file or folder.
#ifndef JUMPLET_PATH_NAMING_H
#define JUMPLET_PATH_NAMING_H

#include <string>

// The part after the last backslash, trailing backslashes ignored.
std::string LastPathComponent(const std::string& text);

// Token 1 or 2 of the text split at any of the delimiters (strtok's rule: delimiters
// before the first token are skipped); empty when there is no such token.
std::string SplitPart(const std::string& text, const char* delimiters, int part);

// A folder's own name, or a file's name up to its first dot (leading dots skipped).
std::string ProposedName(const std::string& path, bool isFolder);

#endif
