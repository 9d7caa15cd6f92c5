#pragma once
// Random draws for the question order, the random testing direction and where a wrongly
// answered question is asked again. Each call returns one draw from 0 to 32767. The exact
// sequence matters: tests script it, and the program takes the draws from the Windows runtime
// generator that start-up seeds.
#include <functional>

using RandomSource = std::function<int()>;

// The Windows runtime's rand(). Windows build only: the native C library's generator has a
// different range and sequence, so nothing native may stand in for it silently.
RandomSource RuntimeRandomSource();
