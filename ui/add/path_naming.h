// The name proposed for a dropped file or folder. Each function writes its result into
// out (at most outSize - 1 bytes, cut between characters if longer); out may be the input
// itself. Every scan walks by the characters that isLead marks out.
#ifndef JUMPLET_PATH_NAMING_H
#define JUMPLET_PATH_NAMING_H

#include <cstddef>
#include "base/characters.h"

// The part after the last backslash, trailing backslashes ignored.
void LastPathComponent(const char* text, char* out, size_t outSize, LeadByteTest isLead = NoLeadBytes);

// Token 1 or 2 of the text split at any of the delimiters (strtok's rule: delimiters
// before the first token are skipped); empty when there is no such token.
void SplitPart(const char* text, const char* delimiters, int part, char* out, size_t outSize,
               LeadByteTest isLead = NoLeadBytes);

// A folder's own name, or a file's name up to its first dot (leading dots skipped); with
// outSize NAME_SIZE, no longer than a shortcut's name may be.
void ProposedName(const char* path, bool isFolder, char* out, size_t outSize, LeadByteTest isLead = NoLeadBytes);

#endif
