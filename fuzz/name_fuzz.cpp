// The name proposed from any path, into any buffer: never past the buffer, always a piece
// of the path's last component, and a file's name without its dots.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdint>
#include <cstring>
#include <vector>
#include "fuzz_check.h"
#include "ui/add/path_naming.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    bool isFolder = input.ConsumeBool();
    size_t outSize = input.ConsumeIntegralInRange<size_t>(1, 300);
    std::string path = input.ConsumeRemainingBytesAsString();
    path.resize(strlen(path.c_str()));
    // Exactly as large as asked, so that AddressSanitizer sees any write past it.
    std::vector<char> out(outSize);
    ProposedName(path.c_str(), isFolder, out.data(), outSize);
    std::string name(out.data(), strnlen(out.data(), outSize));
    Require(name.size() < outSize, "the name is not ended within its buffer");
    Require(name.find('\\') == std::string::npos, "the name holds a backslash");
    Require(isFolder || name.find('.') == std::string::npos, "a file's name holds a dot");
    Require(path.find(name) != std::string::npos, "the name is not a piece of the path");
    std::vector<char> last(outSize);
    LastPathComponent(path.c_str(), last.data(), outSize);
    Require(!isFolder || name == last.data(), "a folder's name is not its last component");
    return 0;
}
