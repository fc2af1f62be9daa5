#include "ui/add/path_naming.h"
#include <cstring>

std::string LastPathComponent(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && text[end - 1] == '\\')
        end--;
    size_t start = text.rfind('\\', end == 0 ? 0 : end - 1);
    start = (start == std::string::npos || end == 0) ? 0 : start + 1;
    if (end == 0)
        return std::string();
    return text.substr(start, end - start);
}

std::string SplitPart(const std::string& text, const char* delimiters, int part)
{
    if (part != 1 && part != 2)
        return "part can be either 1 or 2";
    size_t position = 0;
    for (int token = 1;; token++) {
        position = text.find_first_not_of(delimiters, position);
        if (position == std::string::npos)
            return std::string();
        size_t end = text.find_first_of(delimiters, position);
        if (end == std::string::npos)
            end = text.size();
        if (token == part)
            return text.substr(position, end - position);
        position = end;
    }
}

std::string ProposedName(const std::string& path, bool isFolder)
{
    std::string last = LastPathComponent(path);
    return isFolder ? last : SplitPart(last, ".", 1);
}
