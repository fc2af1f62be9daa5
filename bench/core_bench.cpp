// Speed of what runs on every list fill and every keystroke, each beside a baseline that
// does the least the same job could: reading the bytes, or comparing the names plainly.
#include <benchmark/benchmark.h>
#include <cstring>
#include <string>
#include "base/text_compare.h"
#include "store/data_text.h"
#include "store/shortcut_table.h"

namespace {

ShortcutTableData table;

// A full table's file in reverse order, the sort's worst case.
std::string FullFile()
{
    std::string file;
    for (int i = TABLE_CAPACITY - 1; i >= 0; i--)
        file += "Shortcut " + std::to_string(1000 + i) + "\r\nC:\\Users\\Public\\Documents\\file" +
                std::to_string(i) + ".txt\r\n";
    return file;
}

void LoadAndSortFullTable(benchmark::State& state)
{
    std::string file = FullFile();
    TextBuffer text;
    InitText(&text);
    for (auto _ : state) {
        TextModeView(file.data(), file.size(), &text);
        ParseShortcuts(text.bytes, &table);
        SortShortcuts(&table);
        benchmark::DoNotOptimize(table.count);
    }
}
BENCHMARK(LoadAndSortFullTable);

// Baseline: only copying the file's bytes once.
void CopyFileBytes(benchmark::State& state)
{
    std::string file = FullFile();
    for (auto _ : state) {
        std::string copy = file;
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(CopyFileBytes);

// One keystroke's search: the first name that starts with the text, over a full table,
// with the match at the end.
void PrefixSearchFullTable(benchmark::State& state)
{
    std::string file = FullFile();
    TextBuffer text;
    InitText(&text);
    TextModeView(file.data(), file.size(), &text);
    ParseShortcuts(text.bytes, &table);
    SortShortcuts(&table);
    const char* typed = "shortcut 1255";
    size_t length = strlen(typed);
    for (auto _ : state) {
        int found = -1;
        for (int i = 0; i < table.count && found < 0; i++) {
            if (CompareNoCaseN(typed, table.records[i].name, length) == 0)
                found = i;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(PrefixSearchFullTable);

// Baseline: the same scan with the C library's case-sensitive comparison.
void PlainScanFullTable(benchmark::State& state)
{
    const char* typed = "Shortcut 1255";
    size_t length = strlen(typed);
    for (auto _ : state) {
        int found = -1;
        for (int i = 0; i < table.count && found < 0; i++) {
            if (strncmp(typed, table.records[i].name, length) == 0)
                found = i;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(PlainScanFullTable);

}  // namespace

BENCHMARK_MAIN();
