// Splitting the command line into words.
#include "shell/command_line.h"

namespace command_line {

bool HasWord(std::wstring_view line, std::wstring_view word)
{
    size_t pos = 0;
    while (pos <= line.size()) {
        size_t end = line.find(L' ', pos);
        if (end == std::wstring_view::npos)
            end = line.size();
        // Runs of spaces give no empty words, so an empty word never matches.
        if (end > pos && line.substr(pos, end - pos) == word)
            return true;
        pos = end + 1;
    }
    return false;
}

}  // namespace command_line
