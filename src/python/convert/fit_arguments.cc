// The keyword arguments of Circuit.fit() after its spectrum: each omitted one keeps its
// default, each given one is converted with a message naming it.
#include "python/convert/fit_arguments.h"

#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"

namespace corvex::python {

namespace {

enum FitKeyword {
  kGuessInit,
  kWeights,
  kWeight,
  kMethod,
  kMaxIterations,
  kFtol,
  kXtol,
  kNumParticles,
  kGenerations,
  kNelderMeadIterations,
  kDeEvaluations,
  kSaIterations,
  kSaInitialTemperature,
  kBasinHoppingHops,
  kBasinHoppingStepSize,
  kBasinHoppingTemperature,
  kSeed,
};

// An omitted argument keeps the default already in `out`; None is a value like any other
// and only the arguments that document None accept it.
template <class Value, class Convert>
bool convert_given(PyObject* const* keywords, FitKeyword keyword, Convert convert, Value* out) {
  PyObject* object = keywords[keyword];
  return object == nullptr || convert(object, kFitKeywordNames[keyword], out);
}

}  // namespace

bool convert_fit_arguments(PyObject* const* keywords, FitArguments* arguments) {
  FitOptions& options = arguments->options;
  return convert_given(keywords, kGuessInit, convert_optional_bool, &arguments->guess_init) &&
         convert_given(keywords, kWeights, convert_optional_string, &arguments->weights) &&
         convert_given(keywords, kWeight, convert_string, &arguments->weight) &&
         convert_given(keywords, kMethod, convert_string, &options.method) &&
         convert_given(keywords, kMaxIterations, convert_u32, &options.max_iterations) &&
         convert_given(keywords, kFtol, convert_double, &options.ftol) &&
         convert_given(keywords, kXtol, convert_double, &options.xtol) &&
         convert_given(keywords, kNumParticles, convert_u64, &options.num_particles) &&
         convert_given(keywords, kGenerations, convert_u64, &options.generations) &&
         convert_given(keywords, kNelderMeadIterations, convert_u64, &options.nelder_mead_iterations) &&
         convert_given(keywords, kDeEvaluations, convert_u64, &options.de_evaluations) &&
         convert_given(keywords, kSaIterations, convert_u64, &options.sa_iterations) &&
         convert_given(keywords, kSaInitialTemperature, convert_double, &options.sa_initial_temperature) &&
         convert_given(keywords, kBasinHoppingHops, convert_u32, &options.basin_hopping_hops) &&
         convert_given(keywords, kBasinHoppingStepSize, convert_double, &options.basin_hopping_step_size) &&
         convert_given(keywords, kBasinHoppingTemperature, convert_double, &options.basin_hopping_temperature) &&
         convert_given(keywords, kSeed, convert_optional_u64, &options.seed);
}

bool parse_weight(FitArguments* arguments) {
  std::optional<WeightScheme> scheme = parse_weight_scheme(arguments->weight);
  if (!scheme) {
    raise_error(value_error(unknown_weight_scheme_message(arguments->weight)));
    return false;
  }
  arguments->options.weight = *scheme;
  return true;
}

}  // namespace corvex::python
