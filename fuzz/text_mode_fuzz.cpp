// The text-mode view of any bytes: what the C runtime's "r" read delivers.
#include <cstdint>
#include "fuzz_check.h"
#include "text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes((const char*)data, size);
    std::string text = text::TextModeView(bytes);
    size_t visible = VisibleLength(bytes.data(), bytes.size());
    Require(visible == bytes.find_first_of(std::string("\0\x1A", 2)) || (visible == size &&
            bytes.find_first_of(std::string("\0\x1A", 2)) == std::string::npos),
            "the visible part ends at the first NUL or Ctrl-Z");
    // Exactly the CRs right before an LF are gone, and nothing else.
    size_t at = 0;
    for (size_t i = 0; i < visible; i++) {
        if (bytes[i] == '\r' && i + 1 < visible && bytes[i + 1] == '\n')
            continue;
        Require(at < text.size() && text[at] == bytes[i], "a byte other than a folded CR changed");
        at++;
    }
    Require(at == text.size(), "the view holds more than the visible bytes");
    return 0;
}
