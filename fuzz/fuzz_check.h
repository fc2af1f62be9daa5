// A broken invariant stops the fuzzer with what broke; libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

inline void Require(bool holds, const char* what)
{
    if (!holds) {
        fprintf(stderr, "invariant broken: %s\n", what);
        abort();
    }
}

inline void RequireNone(const std::string& problem)
{
    Require(problem.empty(), problem.c_str());
}
