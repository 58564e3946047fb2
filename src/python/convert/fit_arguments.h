// The keyword arguments Circuit.fit() takes after its spectrum, converted in their order
// with the argument-naming messages; shared by fit() and the batch entry.
#pragma once

#include <Python.h>

#include <array>
#include <optional>
#include <string>

#include "fit/fit_driver.h"

namespace corvex::python {

inline constexpr std::size_t kFitKeywordCount = 17;

// In fit()'s positional order after frequencies and impedances.
inline constexpr std::array<const char*, kFitKeywordCount> kFitKeywordNames = {
    "guess_init",
    "weights",
    "weight",
    "method",
    "max_iterations",
    "ftol",
    "xtol",
    "num_particles",
    "generations",
    "nelder_mead_iterations",
    "de_evaluations",
    "sa_iterations",
    "sa_initial_temperature",
    "basin_hopping_hops",
    "basin_hopping_step_size",
    "basin_hopping_temperature",
    "seed",
};

// `leading` followed by the fit keywords: the parameter list of a callable taking them.
template <std::size_t N>
constexpr std::array<const char*, N + kFitKeywordCount> with_fit_keywords(const std::array<const char*, N>& leading) {
  std::array<const char*, N + kFitKeywordCount> names{};
  for (std::size_t i = 0; i < N; ++i) names[i] = leading[i];
  for (std::size_t i = 0; i < kFitKeywordCount; ++i) names[N + i] = kFitKeywordNames[i];
  return names;
}

struct FitArguments {
  std::optional<bool> guess_init;
  std::optional<std::string> weights;
  std::string weight = "modulus";
  FitOptions options;
};

// Converts the bound keyword slots (kFitKeywordNames order, nullptr where omitted) in order;
// the first failure stops with a TypeError or OverflowError naming the argument. The weight
// keyword stays text: parse_weight() turns it into the scheme.
bool convert_fit_arguments(PyObject* const* keywords, FitArguments* arguments);

// Sets options.weight from the weight keyword; false with the ValueError for an unknown one.
bool parse_weight(FitArguments* arguments);

}  // namespace corvex::python
